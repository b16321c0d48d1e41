#pragma once
// What the tests of the windows opened from the host's menu share, on the real business
// layer: the suite's components, the error display and the message boxes recorded (a yes
// to every question), the clinic's administrator and counter clerk, and a window opened
// by its menu action and driven while it is shown.

#include "tests/andamento/ControlesDeTeste.h"
#include "tests/business/TesteDeNegocio.h"
#include "tests/component/DublesDoComponente.h"

#include "contracts/DadosDoUsuario.h"
#include "host/JanelaDoMenu.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QAction>

class TesteDeJanela : public TesteDeNegocio {
protected:
    // comBotoes: each message recorded as "text|buttons and icon", else as its text.
    explicit TesteDeJanela(bool comBotoes = false) : mbooComBotoes(comBotoes) {}

    // Called first by a class's Preparar.
    void PrepararJanelas() {
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
        RegistrarMensagemGravadora();
        ErrosExibidos().clear();
        mmensagens.clear();
        Plataforma::SubstituirMsgBox([this](const QString& texto, int botoes, const QString&) {
            mmensagens << (mbooComBotoes ? texto + u'|' + QString::number(botoes) : texto);
            return int(botoes & Plataforma::vbYesNo ? Plataforma::vbYes : Plataforma::vbOK);
        });
        madministrador.NomeDoUsuario = QStringLiteral("ADMINISTRADOR");
        madministrador.Administrador = true;
        mbalconista.NomeDoUsuario = QStringLiteral("BALCONISTA");
    }

    // The host's menu action of that name triggered for that user; acao, when given, drives
    // every window shown meanwhile (else the class's own modal display stays).
    void AbrirPeloMenu(const char* acaoDoMenu, clsDadosDoUsuario& usuario,
                       std::function<void(QWidget&)> acao = {}) {
        if (acao) Plataforma::SubstituirExibicaoModal([&](QWidget* janela) { acao(*janela); });
        JanelaDoMenu menu(&usuario, QStringLiteral("Clínica"), 0, 0);
        menu.findChild<QAction*>(QString::fromLatin1(acaoDoMenu))->trigger();
    }

    QStringList mmensagens;
    clsDadosDoUsuario madministrador;
    clsDadosDoUsuario mbalconista;

private:
    bool mbooComBotoes;
};
