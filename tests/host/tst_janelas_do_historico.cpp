// The menu's windows over the quotes' history, driven by their controls on SQLite and
// PostgreSQL: the deleted quotes a page at a time, found by number or client, restored
// by an administrator (and then shown again by the docked list) but not by a counter
// clerk; a quote's history from the list's selected row, and one version's sheet in
// the report preview.

#include "tests/business/TesteDeNegocio.h"
#include "tests/component/DublesDoComponente.h"
#include "tests/reports/TextoDoPdf.h"

#include "business/Banco.h"
#include "contracts/CriarObjeto.h"
#include "contracts/DadosDoUsuario.h"
#include "host/JanelaDoMenu.h"
#include "host/JanelasDoHistorico.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;

namespace {

const QDateTime Agora(QDate(2026, 12, 5), QTime(14, 3, 0));

template <class T> T* Filho(const QWidget& janela, const char* nome) {
    T* controle = janela.findChild<T*>(QString::fromLatin1(nome));
    if (!controle) qWarning() << "sem controle" << nome;
    return controle;
}

void Clicar(const QWidget& janela, const char* nome) {
    QTest::mouseClick(Filho<QPushButton>(janela, nome), Qt::LeftButton);
}

// A column of a table's rows.
QStringList Coluna(const QWidget& janela, const char* grade, int coluna) {
    QStringList textos;
    auto* tabela = Filho<QTableWidget>(janela, grade);
    for (int linha = 0; linha < tabela->rowCount(); ++linha)
        textos << tabela->item(linha, coluna)->text();
    return textos;
}

} // namespace

class TesteDasJanelasDoHistorico : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override {
        FixarRelogio(Agora);
        RegistrarMensagemGravadora();
        ErrosExibidos().clear();
        mmensagens.clear();
        Plataforma::SubstituirMsgBox([this](const QString& texto, int botoes, const QString&) {
            mmensagens << u"%1|%2"_s.arg(texto).arg(botoes);
            return int(botoes & Plataforma::vbYesNo ? Plataforma::vbYes : Plataforma::vbOK);
        });
        madministrador.NomeDoUsuario = u"ADMINISTRADOR"_s;
        madministrador.Administrador = true;
        mbalconista.NomeDoUsuario = u"BALCONISTA"_s;
    }

    // Quotes of those clients, deleted one a second from Agora on; their numbers.
    QList<double> OrcamentosExcluidos(const QList<double>& clientes) {
        QList<double> numeros;
        for (const double cliente : clientes)
            numeros << NovoOrcamento(cliente, cliente == 1 ? 10 : 12);
        for (int i = 0; i < numeros.size(); ++i) {
            FixarRelogio(Agora.addSecs(i));
            GradeEmMemoria grade;
            auto orcamento = OrcamentoValido(grade, musuario.get());
            orcamento->NumeroDoOrcamento = numeros[i];
            if (orcamento->Excluir() != 0) qWarning() << orcamento->DescricaoDaFalha;
        }
        FixarRelogio(Agora);
        return numeros;
    }

    QStringList mmensagens;
    clsDadosDoUsuario madministrador;
    clsDadosDoUsuario mbalconista;

private slots:
    void initTestCase() {
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
    }

    void excluidos_do_mais_recente_em_paginas_e_pela_pesquisa() {
        QList<double> clientes(21, 1);
        clientes << 2 << 2;
        const QList<double> numeros = OrcamentosExcluidos(clientes);
        JanelaDosExcluidos janela(&madministrador, u"Clínica"_s);
        janela.show();
        QCOMPARE(Coluna(janela, "grdExcluidos", 0).size(), 20);
        QCOMPARE(Coluna(janela, "grdExcluidos", 0).first(), VB::CStr(numeros.last()));
        QStringList primeira;
        for (int coluna = 1; coluna <= 4; ++coluna)
            primeira << Coluna(janela, "grdExcluidos", coluna).value(0);
        QCOMPARE(primeira, (QStringList{u"2 - Maria Antônia (Maria Antônia Gonçalves)"_s, u"108,00"_s,
                                        u"05/12/2026 14:03:22"_s, u"ANA"_s}));
        QCOMPARE(Filho<QLabel>(janela, "lblPagina")->text(), u"Página 1 de 2 (23 orçamentos)"_s);
        QVERIFY(!Filho<QPushButton>(janela, "cmdPaginaAnterior")->isEnabled());
        Clicar(janela, "cmdProximaPagina");
        QCOMPARE(Coluna(janela, "grdExcluidos", 0),
                 (QStringList{VB::CStr(numeros[2]), VB::CStr(numeros[1]), VB::CStr(numeros[0])}));
        QCOMPARE(Filho<QLabel>(janela, "lblPagina")->text(), u"Página 2 de 2 (23 orçamentos)"_s);
        QVERIFY(!Filho<QPushButton>(janela, "cmdProximaPagina")->isEnabled());
        Clicar(janela, "cmdPrimeiraPagina");
        QCOMPARE(Filho<QLabel>(janela, "lblPagina")->text(), u"Página 1 de 2 (23 orçamentos)"_s);
        // Found by the client's name without its accent, and by the number.
        Filho<QLineEdit>(janela, "txtPesquisa")->setText(u"antonia"_s);
        Clicar(janela, "cmdPesquisar");
        QCOMPARE(Coluna(janela, "grdExcluidos", 0),
                 (QStringList{VB::CStr(numeros[22]), VB::CStr(numeros[21])}));
        Filho<QLineEdit>(janela, "txtPesquisa")->setText(u"JOAO"_s);
        Clicar(janela, "cmdPesquisar");
        QCOMPARE(Filho<QLabel>(janela, "lblPagina")->text(), u"Página 1 de 2 (21 orçamentos)"_s);
        Filho<QLineEdit>(janela, "txtPesquisa")->setText(VB::CStr(numeros[5]));
        QTest::keyClick(Filho<QLineEdit>(janela, "txtPesquisa"), Qt::Key_Return);
        QVERIFY(Coluna(janela, "grdExcluidos", 0).contains(VB::CStr(numeros[5])));
        QCOMPARE(Filho<QLabel>(janela, "lblPagina")->text().left(15), u"Página 1 de 1 ("_s);
        QVERIFY(mmensagens.isEmpty());
    }

    void administrador_restaura_e_a_lista_volta_a_mostrar() {
        const QList<double> numeros = OrcamentosExcluidos({1, 2});
        JanelaDoMenu menu(&madministrador, u"Clínica"_s, 0, 0);
        menu.show();
        menu.AbrirOrcamentos();
        auto* lista = menu.findChild<QWidget*>(u"frmLista"_s);
        QVERIFY(lista);
        auto* gradeDaLista = lista->findChild<MSFlexGrid*>(u"msfgGrade"_s);
        const auto numerosDaLista = [&] {
            QStringList textos;
            for (int r = 1; r < gradeDaLista->Rows(); ++r)
                textos << gradeDaLista->TextMatrix(r, 1);
            return textos;
        };
        QVERIFY(!numerosDaLista().contains(VB::CStr(numeros[0])));
        QStringList exibidas;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
            exibidas << janela->objectName();
            auto* restaurar = Filho<QPushButton>(*janela, "cmdRestaurar");
            QVERIFY(restaurar->isEnabled());
            // The older one: the second row.
            Filho<QTableWidget>(*janela, "grdExcluidos")->selectRow(1);
            Clicar(*janela, "cmdRestaurar");
            QCOMPARE(Coluna(*janela, "grdExcluidos", 0), QStringList{VB::CStr(numeros[1])});
        });
        menu.findChild<QAction*>(u"AcaoOrcamentosExcluidos"_s)->trigger();
        QCOMPARE(exibidas, QStringList{u"frmOrcamentosExcluidos"_s});
        QCOMPARE(mmensagens, (QStringList{u"Restaurar o orçamento %1?|36"_s.arg(VB::CStr(numeros[0])),
                                          u"O orçamento %1 foi restaurado.|64"_s.arg(VB::CStr(numeros[0]))}));
        QVERIFY(numerosDaLista().contains(VB::CStr(numeros[0])));
        QCOMPARE(Numero("SELECT Situacao FROM Orcamentos WHERE NumeroDoOrcamento = ?", {qint64(numeros[0])}),
                 1);

        // The history of the list's selected quote: restored, deleted, included.
        const int linha = static_cast<int>(numerosDaLista().indexOf(VB::CStr(numeros[0]))) + 1;
        gradeDaLista->setRow(linha);
        QStringList historico;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
            QCOMPARE(Filho<QLineEdit>(*janela, "txtNumeroDoOrcamento")->text(), VB::CStr(numeros[0]));
            historico = Coluna(*janela, "grdHistorico", 2) + Coluna(*janela, "grdHistorico", 1);
        });
        menu.findChild<QAction*>(u"AcaoHistoricoDoOrcamento"_s)->trigger();
        QCOMPARE(historico, (QStringList{u"restaurado"_s, u"excluído"_s, u"incluído"_s, u"ADMINISTRADOR"_s,
                                         u"ANA"_s, u"ANA"_s}));
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void balconista_ve_os_excluidos_mas_nao_restaura() {
        const QList<double> numeros = OrcamentosExcluidos({1});
        JanelaDosExcluidos janela(&mbalconista, u"Clínica"_s);
        janela.show();
        QCOMPARE(Coluna(janela, "grdExcluidos", 0), QStringList{VB::CStr(numeros[0])});
        auto* restaurar = Filho<QPushButton>(janela, "cmdRestaurar");
        QVERIFY(!restaurar->isEnabled());
        QCOMPARE(restaurar->toolTip(), u"Somente um administrador pode restaurar um orçamento excluído."_s);
        QTest::mouseClick(restaurar, Qt::LeftButton);
        QVERIFY(mmensagens.isEmpty());
        QCOMPARE(Numero("SELECT COUNT(*) FROM OrcamentosExcluidos"), 1);
    }

    void historico_de_um_numero_e_a_ficha_de_uma_versao() {
        // Two items (547,80), then a third (667,80) a minute later.
        const double numero = NovoOrcamentoComProduto();
        FixarRelogio(Agora.addSecs(60));
        QCOMPARE(AlterarComMaisUmItem(numero), qint16(0));

        JanelaDoHistorico janela(musuario.get(), u"Clínica"_s, 0);
        janela.show();
        Clicar(janela, "cmdMostrar");
        QCOMPARE(mmensagens, QStringList{u"Informe o número do orçamento.|64"_s});
        Filho<QLineEdit>(janela, "txtNumeroDoOrcamento")->setText(u"999"_s);
        Clicar(janela, "cmdMostrar");
        QCOMPARE(Filho<QLabel>(janela, "lblOrcamento")->text(), u"O orçamento 999 não tem histórico."_s);
        Filho<QLineEdit>(janela, "txtNumeroDoOrcamento")->setText(VB::CStr(numero));
        Clicar(janela, "cmdMostrar");
        QCOMPARE(Coluna(janela, "grdHistorico", 0),
                 (QStringList{u"05/12/2026 14:04:00"_s, u"05/12/2026 14:03:00"_s}));
        QCOMPARE(Coluna(janela, "grdHistorico", 2), (QStringList{u"alterado"_s, u"incluído"_s}));
        QCOMPARE(Coluna(janela, "grdHistorico", 3), (QStringList{u"667,80"_s, u"547,80"_s}));
        QCOMPARE(Coluna(janela, "grdHistorico", 4), (QStringList{u"3"_s, u"2"_s}));

        // The first version's sheet, exported from the preview as a person would.
        const QString pdf = msessao->Pasta().filePath(u"versao.pdf"_s);
        QString titulo;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janelaModal) {
            if (auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janelaModal)) {
                titulo = previa->windowTitle();
                QTest::mouseClick(previa->findChild<QToolButton*>(u"cmdExportarParaPdf"_s), Qt::LeftButton);
            } else if (auto* dialogo = qobject_cast<QFileDialog*>(janelaModal)) {
                dialogo->selectFile(pdf);
                QMetaObject::invokeMethod(dialogo, "accept");
            }
        });
        Filho<QTableWidget>(janela, "grdHistorico")->selectRow(1);
        Clicar(janela, "cmdVerFicha");
        QCOMPARE(titulo, u"Orçamento %1 - versão de 05/12/2026 14:03:00"_s.arg(numero));
        const QString texto = TextoDoPdf(pdf);
        QVERIFY2(texto.contains(u"Ração Cães 15 kg"_s), qPrintable(texto));
        QVERIFY(texto.contains(u"547,80"_s));
        QVERIFY(texto.contains(u"versão de 05/12/2026 14:03:00 (incluído por ANA)"_s));
        QVERIFY(!texto.contains(u"667,80"_s));
        QVERIFY(ErrosExibidos().isEmpty());
    }
};

QTEST_MAIN(TesteDasJanelasDoHistorico)
#include "tst_janelas_do_historico.moc"
