// The quotes' stages in the docked list, on SQLite and PostgreSQL: the filter's items by
// stage (their counts and pages against quotes made for each), the row's menu (the right
// button or the Menu key; its entries enabled by the stage) and each of its commands with
// what it stores, the approval and refusal windows answered through their controls, and a
// refusal's message when another workstation moved the quote first.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"
#include "tests/component/DublesDoComponente.h"

#include "andamento/RegistroDasJanelas.h"
#include "component/JanelasDoOrcamento.h"
#include "component/modPrincipal.h"
#include "contracts/HistoricoDeOrcamentos.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;
namespace E = ZELT_N_Orcamentos::Etapa;
namespace F = ZELT_N_Orcamentos::FiltroDaLista;

namespace {

// Monday; a new quote is valid for ten days (the test registry's company).
const QDateTime Agora(QDate(2026, 12, 7), QTime(9, 0));

void Validade(double numero, const QDate& data) {
    Banco::Executar(u"UPDATE Orcamentos SET DataDeValidadeDoOrcamento = ? WHERE NumeroDoOrcamento = ?"_s,
                    {Banco::DataIso(data), numero});
}

// A key where the window's focus is (the window itself before it has one).
void Tecla(QWidget* janela, Qt::Key tecla) {
    QTest::keyClick(janela->focusWidget() ? janela->focusWidget() : janela, tecla);
}

struct Mensagem {
    QString Texto;
    int Botoes;
};

} // namespace

class TesteDasEtapasNaLista : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override {
        FixarRelogio(Agora);
        RegistrarMensagemGravadora();
        ErrosExibidos().clear();
        modPrincipal::NomeDaAplicacao = u"ZELT Veterinária"_s;
        modPrincipal::DadosDoUsuario = musuario.get();
        mmensagens.clear();
        mresposta = Plataforma::vbYes;
        Plataforma::SubstituirMsgBox([this](const QString& texto, int botoes, const QString&) {
            mmensagens.append({texto, botoes});
            return (botoes & 7) == Plataforma::vbYesNo ? mresposta : int(Plataforma::vbOK);
        });
        mresponder = nullptr;
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) {
            QVERIFY2(mresponder, qPrintable(janela->objectName()));
            mresponder(janela);
        });
        mmenu = new MenuDeTeste({1400, 700}, {0, 0, 1400, 600});
    }

    void Encerrar() override {
        delete mmenu;
        mmenu = nullptr;
        Plataforma::SubstituirMsgBox({});
        Plataforma::SubstituirExibicaoModal({});
        Plataforma::SubstituirPopupMenu({});
        modPrincipal::DadosDoUsuario = nullptr;
        QCOMPARE(ErrosExibidos().size(), 0);
    }

private slots:
    void initTestCase() {
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
        andamento::RegistrarJanelas();
    }

    // Each filter by stage against quotes made for it; the bar counts them and the grid
    // shows them newest first.
    void filtroPorEtapa_data() {
        Colunas<int, QString>("codigo", "numeros");
        Linha("Aguardando resposta", F::AguardandoResposta, u"3 2"_s);
        Linha("Vencem em até 7 dias", F::VencemEmAte7Dias, u"3 1"_s);
        Linha("Vencidos", F::Vencidos, u"5 4"_s);
        Linha("Aprovados", F::Aprovados, u"7 6"_s);
        Linha("Recusados", F::Recusados, u"8"_s);
        Linha("Concluídos", F::Concluidos, u"9"_s);
    }
    void filtroPorEtapa() {
        QFETCH(int, codigo);
        QFETCH(QString, numeros);
        // Quote 7 has two items: one of them is declined in its approval in part.
        for (int i = 0; i < 9; ++i)
            QVERIFY((i == 6 ? NovoOrcamentoDeDoisServicos() : NovoOrcamento()) > 0);
        Validade(1, Agora.date().addDays(3)); // open, ends this week
        Mover(2, E::Enviado);                 // sent, valid ten days
        Mover(3, E::Enviado);
        Validade(3, Agora.date().addDays(5));  // sent, ends this week
        Validade(4, Agora.date().addDays(-6)); // open, expired
        Mover(5, E::Enviado);
        Validade(5, Agora.date().addDays(-1)); // sent, expired yesterday
        Mover(6, E::Aprovado);
        Mover(7, E::AprovadoEmParte);
        Mover(8, E::Recusado);
        Mover(9, E::Concluido);
        AbrirLista();
        Escolher(codigo);
        const QStringList esperados = numeros.split(u' ');
        QCOMPARE(mmenu->Coluna(frmLista::ColunaNumeroDoOrcamento), esperados);
        QCOMPARE(mmenu->TextoDaBarra(), u"1 - %1 de %1"_s.arg(esperados.size()));
        // A search narrows a filter by stage as it narrows the others.
        Pesquisar(esperados.first());
        QCOMPARE(mmenu->Coluna(frmLista::ColunaNumeroDoOrcamento), QStringList{esperados.first()});
    }

    void filtroPorEtapaPagina() {
        for (int i = 0; i < 8; ++i)
            Validade(NovoOrcamento(), Agora.date().addDays(-1 - i));
        QVERIFY(NovoOrcamento() > 0); // still valid
        AbrirLista(Twips::ParaPixels(5400));
        Escolher(F::Vencidos);
        QCOMPARE(mmenu->TextoDaBarra(), u"1 - 6 de 8"_s);
        QTest::mouseClick(mlista->findChild<XRNavigationBar*>(u"xrnbBarraDeNavegacao"_s)->Botao(3),
                          Qt::LeftButton);
        QCOMPARE(mmenu->TextoDaBarra(), u"7 - 8 de 8"_s);
        QCOMPARE(mmenu->Coluna(frmLista::ColunaNumeroDoOrcamento), (QStringList{u"2"_s, u"1"_s}));
    }

    // The entries the stage enables, the windows registered, the sends always.
    void menuPelaEtapa_data() {
        Colunas<QString, QString>("etapa", "habilitadas");
        const QString sempre = u"mnuHistorico mnuEnviarPorEmail mnuEnviarPorWhatsApp"_s;
        const QString responder = u"mnuRegistrarAprovacao mnuAprovarOrcamento mnuRegistrarRecusa "_s;
        const QString depois = u"mnuRenovarValidade mnuCopiarOrcamento "_s;
        Linha("em aberto", E::EmAberto, u"mnuEntregueAoCliente "_s + responder + depois + sempre);
        Linha("enviado", E::Enviado, u"mnuEntregueAoCliente "_s + responder + depois + sempre);
        Linha("vencido", E::Vencido, responder + depois + sempre);
        const QString aprovado = u"mnuRegistrarRecusa mnuConcluido "_s + depois + u"mnuRegistrarPagamento "_s;
        Linha("aprovado", E::Aprovado, aprovado + sempre);
        Linha("aprovado em parte", E::AprovadoEmParte, aprovado + sempre);
        Linha("recusado", E::Recusado, depois + sempre);
        Linha("concluído", E::Concluido, depois + u"mnuRegistrarPagamento "_s + sempre);
    }
    void menuPelaEtapa() {
        QFETCH(QString, etapa);
        QFETCH(QString, habilitadas);
        QVERIFY(NovoOrcamento() > 0);
        const double numero = NovoOrcamentoDeDoisServicos();
        Mover(numero, etapa);
        AbrirLista();
        QStringList textos, ativas;
        Plataforma::SubstituirPopupMenu([&](QMenu* menu) -> QAction* {
            for (QAction* acao : menu->actions()) {
                if (acao->isSeparator() || !acao->isVisible()) continue;
                textos << acao->text();
                if (acao->isEnabled()) ativas << acao->objectName();
            }
            return nullptr;
        });
        CliqueDireito(1);
        QCOMPARE(mlista->Grade()->RowSel(), 1);
        QCOMPARE(textos, (QStringList{u"Entregue ao cliente"_s, u"Registrar aprovação…"_s,
                                      u"Aprovar orçamento…"_s, u"Registrar recusa…"_s, u"Concluído"_s,
                                      u"Renovar validade…"_s, u"Copiar orçamento"_s,
                                      u"Registrar pagamento…"_s, u"Histórico…"_s, u"Enviar por e-mail"_s,
                                      u"Enviar por WhatsApp"_s, u"Termo de consentimento…"_s}));
        QCOMPARE(ativas.join(u' '), habilitadas);
    }

    // The consent form is offered for a quote with an item of a type the settings name
    // (without settings, above, never).
    void menuDoTermo_data() {
        Colunas<QString, bool>("tipos", "habilitado");
        Linha("tipo da consulta", u"4;1"_s, true);
        Linha("outros tipos", u"2;3"_s, false);
    }
    void menuDoTermo() {
        QFETCH(QString, tipos);
        QFETCH(bool, habilitado);
        QVERIFY(NovoOrcamento() > 0);
        Banco::Executar(u"INSERT INTO ConfiguracoesDoOrcamento (CodigoDaEmpresa, TextoDeConsentimento, "
                        "TiposDeServicosComConsentimento) SELECT MIN(Codigo), 'Autorizo.', ? FROM Empresa"_s,
                        {tipos});
        AbrirLista();
        bool ativa = !habilitado;
        Plataforma::SubstituirPopupMenu([&](QMenu* menu) -> QAction* {
            ativa = menu->findChild<QAction*>(u"mnuTermoDeConsentimento"_s)->isEnabled();
            return nullptr;
        });
        CliqueDireito(1);
        QCOMPARE(ativa, habilitado);
    }

    // Each command on the second row: the stage and the history entry stored, the list
    // read again with the same quote's row selected.
    void comandoDoMenu_data() {
        // resposta: what the person answers in the window or the question
        // gravado: Responsavel|Meio|MotivoDaRecusa|Nota
        Colunas<QString, QString, QString, QString, QString, QString>("de", "entrada", "resposta", "etapa",
                                                                      "historico", "gravado");
        Linha("entregue", E::EmAberto, u"mnuEntregueAoCliente"_s, QString(), E::Enviado,
              u"entregue ao cliente"_s, u"|||"_s);
        Linha("aprovado pelo cliente, presencial", E::Enviado, u"mnuRegistrarAprovacao"_s, u"OK"_s,
              E::Aprovado, u"aprovado"_s, u"João da Silva|Presencial||"_s);
        Linha("aprovado pela esposa, WhatsApp", E::EmAberto, u"mnuRegistrarAprovacao"_s,
              u"Ana Silva|WhatsApp"_s, E::Aprovado, u"aprovado"_s, u"Ana Silva|WhatsApp||"_s);
        Linha("recusado por preço", E::Vencido, u"mnuRegistrarRecusa"_s, u"Preço|achou caro"_s, E::Recusado,
              u"recusado: Preço"_s, u"||Preço|achou caro"_s);
        Linha("concluído", E::Aprovado, u"mnuConcluido"_s, u"sim"_s, E::Concluido, u"concluído"_s, u"|||"_s);
        Linha("concluído, não", E::Aprovado, u"mnuConcluido"_s, u"não"_s, E::Aprovado, u"aprovado"_s,
              u"João da Silva|Telefone||"_s);
        Linha("aprovação cancelada", E::EmAberto, u"mnuRegistrarAprovacao"_s, u"Escape"_s, E::EmAberto,
              u"incluído"_s, QString());
    }
    void comandoDoMenu() {
        QFETCH(QString, de);
        QFETCH(QString, entrada);
        QFETCH(QString, resposta);
        QFETCH(QString, etapa);
        QFETCH(QString, historico);
        QFETCH(QString, gravado);
        const double numero = NovoOrcamento();
        QVERIFY(NovoOrcamento() > 0);
        Mover(numero, de);
        AbrirLista();
        mresposta = resposta == u"não"_s ? Plataforma::vbNo : Plataforma::vbYes;
        mresponder = [&](QWidget* janela) { Responder(janela, resposta); };
        Plataforma::SubstituirPopupMenu([&](QMenu* menu) { return menu->findChild<QAction*>(entrada); });
        CliqueDireito(2);
        QCOMPARE(EtapaDe(numero), etapa);
        QCOMPARE(UltimaEntrada(numero), historico);
        if (!gravado.isNull())
            QCOMPARE(
                Consulta("SELECT Responsavel || '|' || Meio || '|' || MotivoDaRecusa || '|' || Nota FROM "
                         "EtapasDoOrcamento WHERE NumeroDoOrcamento = ?",
                         {numero}),
                gravado);
        const MSFlexGrid* grade = mlista->Grade();
        QCOMPARE(grade->TextMatrix(grade->RowSel(), frmLista::ColunaNumeroDoOrcamento), VB::CStr(numero));
        if (entrada == u"mnuConcluido"_s) {
            QCOMPARE(mmensagens.size(), 1);
            QCOMPARE(mmensagens[0].Texto,
                     u"Marcar o orçamento %1 como concluído? Um orçamento concluído não muda "
                     u"mais de etapa."_s.arg(VB::CStr(numero)));
        } else {
            QCOMPARE(mmensagens.size(), 0);
        }
    }

    // Another workstation answers the quote while the menu is open: the operation is
    // refused with the business layer's message, as a critical one, and nothing changes.
    void outraEstacaoAntes() {
        const double numero = NovoOrcamento();
        AbrirLista();
        Plataforma::SubstituirPopupMenu([&](QMenu* menu) {
            auto outra = Etapas();
            outra->Ler(numero);
            outra->RegistrarRecusa(numero, u"Desistiu"_s, QString());
            return menu->findChild<QAction*>(u"mnuEntregueAoCliente"_s);
        });
        CliqueDireito(1);
        QCOMPARE(mmensagens.size(), 1);
        QCOMPARE(
            mmensagens[0].Texto,
            u"O orçamento %1 foi alterado por ANA em 07/12/2026 09:00:01, depois que este formulário o leu. "
            u"A etapa do orçamento não foi alterada: feche o formulário e abra o orçamento novamente."_s.arg(
                VB::CStr(numero)));
        QCOMPARE(mmensagens[0].Botoes, int(Plataforma::vbCritical));
        QCOMPARE(EtapaDe(numero), E::Recusado);
        QCOMPARE(UltimaEntrada(numero), u"recusado: Desistiu"_s);
    }

    // The Menu key and Shift+F10 open the menu on the selected row; a refusal without a
    // reason is told by the window, which stays open until Escape.
    void teclado() {
        QVERIFY(NovoOrcamento() > 0);
        const double numero = NovoOrcamento();
        QVERIFY(NovoOrcamento() > 0);
        AbrirLista();
        MSFlexGrid* grade = mlista->Grade();
        QTest::mouseClick(grade, Qt::LeftButton, {},
                          QPoint(Twips::ParaPixels(3000), Twips::ParaPixels(700 + 570 + 285)));
        grade->SetFocus();
        QCOMPARE(grade->TextMatrix(grade->RowSel(), frmLista::ColunaNumeroDoOrcamento), VB::CStr(numero));
        int menus = 0;
        Plataforma::SubstituirPopupMenu([&](QMenu* menu) {
            ++menus;
            return menu->findChild<QAction*>(u"mnuRegistrarRecusa"_s);
        });
        QStringList passos;
        mresponder = [&](QWidget* janela) {
            Tecla(janela, Qt::Key_Return); // no reason chosen
            passos << (janela->isVisible() ? u"aberta"_s : u"fechada"_s);
            Tecla(janela, Qt::Key_Escape);
            passos << (janela->isVisible() ? u"aberta"_s : u"fechada"_s);
        };
        QTest::keyClick(grade, Qt::Key_Menu);
        QTest::keyClick(grade, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(menus, 2);
        QCOMPARE(passos, (QStringList{u"aberta"_s, u"fechada"_s, u"aberta"_s, u"fechada"_s}));
        QCOMPARE(mmensagens.size(), 2);
        QCOMPARE(mmensagens[0].Texto, u"Informe o motivo da recusa."_s);
        QCOMPARE(mmensagens[0].Botoes, int(Plataforma::vbInformation));
        QCOMPARE(EtapaDe(numero), E::EmAberto);
        // Enter in the window confirms: the reason picked, the note typed.
        mresponder = [&](QWidget* janela) {
            auto* motivo = janela->findChild<XRComboBox*>(u"xrcmbMotivo"_s);
            motivo->setListIndex(ZELT_N_Orcamentos::MotivosDaRecusa.indexOf(u"Animal faleceu"_s));
            auto* nota = janela->findChild<QLineEdit*>(u"txtNota"_s);
            nota->setFocus();
            QTest::keyClicks(nota, u"sinto muito"_s);
            QTest::keyClick(nota, Qt::Key_Return);
        };
        QTest::keyClick(grade, Qt::Key_Menu);
        QCOMPARE(EtapaDe(numero), E::Recusado);
        QCOMPARE(UltimaEntrada(numero), u"recusado: Animal faleceu"_s);
        QCOMPARE(Consulta("SELECT Nota FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?", {numero}),
                 u"sinto muito"_s);
    }

    // Ctrl+Shift+A anywhere in the list opens the follow-up window, for no quote; the list
    // is read again when the window says something changed.
    void atalhoDoAcompanhamento() {
        QVERIFY(NovoOrcamento() > 0);
        AbrirLista();
        QList<double> aberturas;
        QWidget* sobre = nullptr;
        JanelasDoOrcamento::Registrar(JanelasDoOrcamento::Janela::Acompanhamento,
                                      [&](QWidget* pai, double numero) -> bool {
                                          aberturas << numero;
                                          sobre = pai;
                                          // A quote made meanwhile shows once the window closes.
                                          return NovoOrcamento() > 0;
                                      });
        mmenu->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mmenu));
        QTest::keyClick(mlista->Grade(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        JanelasDoOrcamento::Registrar(JanelasDoOrcamento::Janela::Acompanhamento, {});
        QCOMPARE(aberturas, QList<double>{0});
        QCOMPARE(sobre, static_cast<QWidget*>(mlista));
        QCOMPARE(mmenu->TextoDaBarra(), u"1 - 2 de 2"_s);
    }

private:
    // Brings a new quote to a stage through the business layer's own operations.
    void Mover(double numero, const QString& etapa) {
        auto etapas = Etapas();
        const auto fazer = [&](auto operacao) {
            QCOMPARE(etapas->Ler(numero), qint16(0));
            QCOMPARE(operacao(), qint16(0));
        };
        if (etapa == E::Enviado) fazer([&] { return etapas->EntregueAoCliente(numero); });
        if (etapa == E::Aprovado || etapa == E::Concluido)
            fazer(
                [&] { return etapas->RegistrarAprovacao(numero, u"João da Silva"_s, u"Telefone"_s, false); });
        if (etapa == E::AprovadoEmParte) fazer([&] { return AprovarSemItens(numero, {2}); });
        if (etapa == E::Recusado)
            fazer([&] { return etapas->RegistrarRecusa(numero, u"Preço"_s, QString()); });
        if (etapa == E::Concluido) fazer([&] { return etapas->Concluir(numero); });
        if (etapa == E::Vencido) Validade(numero, Agora.date().addDays(-1));
        QCOMPARE(EtapaDe(numero), etapa);
    }
    // Answers an approval or refusal window through its controls: "OK", "Escape",
    // "who|how" or "reason|note".
    void Responder(QWidget* janela, const QString& resposta) {
        const QStringList partes = resposta.split(u'|');
        if (resposta == u"Escape"_s) {
            Tecla(janela, Qt::Key_Escape);
            return;
        }
        if (janela->objectName() == u"frmRegistrarAprovacao"_s) {
            QCOMPARE(janela->findChild<QLineEdit*>(u"txtQuem"_s)->text(), u"João da Silva"_s);
            QCOMPARE(janela->findChild<XRComboBox*>(u"xrcmbComo"_s)->Text(), u"Presencial"_s);
            if (partes.size() == 2) {
                auto* quem = janela->findChild<QLineEdit*>(u"txtQuem"_s);
                quem->setFocus();
                quem->selectAll();
                QTest::keyClicks(quem, partes[0]);
                auto* como = janela->findChild<XRComboBox*>(u"xrcmbComo"_s);
                como->setListIndex(como->Caixa()->findText(partes[1]));
            }
        } else if (janela->objectName() == u"frmRegistrarRecusa"_s) {
            auto* motivo = janela->findChild<XRComboBox*>(u"xrcmbMotivo"_s);
            QCOMPARE(motivo->ListIndex(), -1);
            motivo->setListIndex(ZELT_N_Orcamentos::MotivosDaRecusa.indexOf(partes[0]));
            janela->findChild<QLineEdit*>(u"txtNota"_s)->setText(partes.value(1));
        } else {
            QFAIL(qPrintable(janela->objectName()));
        }
        QTest::mouseClick(janela->findChild<XRCommandButton*>(u"xrcmdOK"_s), Qt::LeftButton);
    }

    frmLista* AbrirLista(int altura = 600) {
        mmenu->Area->resize(mmenu->Area->width(), altura);
        return mlista = mmenu->AbrirLista();
    }
    void Escolher(int codigo) {
        auto* situacao = mlista->findChild<XRComboBox*>(u"xrcmbSituacao"_s);
        for (int i = 0; i < situacao->ListCount(); ++i)
            if (situacao->ItemData(i) == codigo) return situacao->setListIndex(i);
        QFAIL("filtro sem o código");
    }
    void Pesquisar(const QString& texto) {
        auto* editor = mlista->findChild<QLineEdit*>(u"txtTexto"_s);
        editor->setFocus();
        editor->clear();
        QTest::keyClicks(editor, texto);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    void CliqueDireito(int linha) {
        QTest::mouseClick(mlista->Grade(), Qt::RightButton, {},
                          QPoint(Twips::ParaPixels(3000), Twips::ParaPixels(700 + (linha - 1) * 570 + 285)));
    }

    MenuDeTeste* mmenu = nullptr;
    frmLista* mlista = nullptr;
    QList<Mensagem> mmensagens;
    int mresposta = Plataforma::vbYes;
    std::function<void(QWidget*)> mresponder;
};

QTEST_MAIN(TesteDasEtapasNaLista)
#include "tst_lista_etapas.moc"
