// The recovery copy of a new quote, driven through the record form's controls: written
// after each item command, kept when the save fails (on PostgreSQL, with the server
// stopped under the form), offered back the next time a form opens for a new quote,
// restored with the items the registry still has, discarded by "no", by a save and by
// cancelling.

#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"

#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString Arquivo() {
    return frmFicha::ArquivoDaCopiaDeRecuperacao();
}

QJsonObject Copia() {
    QFile arquivo(Arquivo());
    return arquivo.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(arquivo.readAll()).object()
                                             : QJsonObject();
}

} // namespace

class TesteDaRecuperacaoDaFicha : public TesteDaFicha {
    Q_OBJECT

    // A new quote from the list, on screen as its modal display shows it.
    void Abrir() {
        AbrirDaLista(1);
        Ativar();
    }
    template <class T> T* No(const char* nome) const { return ControleDaFicha<T>(nome); }
    void Clicar(const char* comando) { emit No<XRCommandButton>(comando)->Click(); }
    void Pesquisar(const char* campo, const QString& texto) {
        No<XRFind>(campo)->setText(texto);
        No<XRFind>(campo)->Pesquisar();
    }
    // Client 2 (Maria Antônia, her animal Luna), then each item's lookup and the add command.
    void Compor(const QStringList& itens) {
        Pesquisar("xrfCodigoDoCliente", u"2"_s);
        for (const QString& item : itens) {
            if (item.startsWith(u"servico "_s)) {
                // The person picks the type "Clínicos" in the list.
                auto* tipos = No<XRComboBox>("xrcmbTiposDeServicos")->findChild<QComboBox*>(u"cmbLista"_s);
                tipos->setCurrentIndex(1);
                emit tipos->activated(1);
                Pesquisar("xrfCodigoDoServico", item.mid(8));
            } else {
                No<OptionButton>("optProduto")->setValue(true);
                Pesquisar("xrfCodigoInternoDoProduto", item.mid(8));
            }
            Clicar("xrcmdAdicionar");
        }
    }
    QStringList Linhas() const {
        QStringList linhas;
        auto* grade = No<MSFlexGrid>("msfgGradeDeItensDoOrcamento");
        for (int r = 1; r < grade->Rows(); ++r) {
            QStringList celulas;
            for (int c = GradeDeItens::TipoDeServicoOuCodigoDeBarras; c <= GradeDeItens::CodigoDaSituacao;
                 ++c)
                celulas << grade->TextMatrix(r, c);
            if (!celulas.at(1).isEmpty()) linhas << celulas.join(u'|');
        }
        return linhas;
    }
    QString Pergunta(int itens) const {
        const QString quando = QDateTime::fromString(Copia().value(u"quando"_s).toString(), Qt::ISODate)
                                   .toString(u"dd/MM/yyyy HH:mm"_s);
        return u"Há um orçamento não gravado de %1 para Maria Antônia Gonçalves, com %2. Recuperar?"_s.arg(
            quando, itens == 1 ? u"1 item"_s : u"%1 itens"_s.arg(itens));
    }

private slots:
    void copia_a_cada_comando_mantida_na_falha_e_recuperada() {
        Abrir();
        QVERIFY(!QFile::exists(Arquivo()));
        Compor({u"servico 1"_s, u"servico 2"_s});
        QCOMPARE(Copia().value(u"itens"_s).toArray().size(), 2);
        No<OptionButton>("optProduto")->setValue(true);
        Pesquisar("xrfCodigoInternoDoProduto", u"100"_s);
        Clicar("xrcmdAdicionar");
        const QJsonObject copia = Copia();
        QCOMPARE(copia.value(u"cliente"_s).toObject().value(u"nome"_s).toString(),
                 u"Maria Antônia Gonçalves"_s);
        QCOMPARE(copia.value(u"animal"_s).toObject().value(u"codigo"_s).toInt(), 12);
        QCOMPARE(copia.value(u"itens"_s).toArray().size(), 3);
        const QStringList linhas = Linhas();
        const QString totais = Propriedades("Text", Totais);
        QCOMPARE(linhas.size(), 3);

        // The save fails: on PostgreSQL the server stops under the open form.
        QFETCH_GLOBAL(QString, banco);
        const bool pararServidor = banco == u"postgresql"_s && !qEnvironmentVariableIsEmpty("ZELT_PG_PASTA");
        QString saida;
        if (pararServidor) {
            QVERIFY2(BancoDeTeste::PararServidorPostgreSQL(saida), qPrintable(saida));
        } else {
            // The client blocked meanwhile: the save is refused and the form stays open.
            Banco::Executar(u"UPDATE Clientes SET Situacao = 3 WHERE CodigoDoCliente = 2"_s);
        }
        Clicar("xrcmdSalvarFecharConfirmar");
        if (pararServidor) {
            QVERIFY2(BancoDeTeste::IniciarServidorPostgreSQL(saida), qPrintable(saida));
            QCOMPARE(ErrosExibidos().size(), 1);
            QCOMPARE(ErrosExibidos().constFirst().Descricao,
                     u"A conexão com o banco de dados foi perdida. Tente novamente."_s);
        } else {
            Banco::Executar(u"UPDATE Clientes SET Situacao = 1 WHERE CodigoDoCliente = 2"_s);
        }
        QCOMPARE(BancoDeTeste::Numero("SELECT COUNT(*) FROM Orcamentos"), 0);
        QVERIFY(QFile::exists(Arquivo()));

        // The next new quote: the question, then the same quote back, which saves.
        mficha.reset();
        mmensagens.clear();
        const QString pergunta = Pergunta(3);
        mrespostas << Plataforma::vbYes;
        Abrir();
        QCOMPARE(mmensagens.size(), 1);
        QCOMPARE(mmensagens.constFirst().Texto, pergunta);
        QCOMPARE(mmensagens.constFirst().BotoesEIcone, int(Plataforma::vbYesNo | Plataforma::vbQuestion));
        QCOMPARE(Propriedades("Text", u"xrfApelidoOuNomeFantasiaDoCliente|xrcmbAnimal"_s),
                 u"Maria Antônia|Luna"_s);
        QCOMPARE(Linhas(), linhas);
        QCOMPARE(Propriedades("Text", Totais), totais);
        Clicar("xrcmdSalvarFecharConfirmar");
        QVERIFY(mficha->OperacaoConcluida());
        QCOMPARE(BancoDeTeste::Numero("SELECT COUNT(*) FROM ItensDeOrcamento"), 3);
        QVERIFY(!QFile::exists(Arquivo()));
    }

    void item_fora_do_cadastro_fica_de_fora_cancelar_e_nao_descartam() {
        // A form that ended without saving nor cancelling (a program that stopped).
        Abrir();
        Compor({u"servico 1"_s, u"produto 100"_s});
        mficha.reset();
        Banco::Executar(u"UPDATE Produtos SET Situacao = 2 WHERE CodigoInterno = 100"_s);
        mrespostas << Plataforma::vbYes;
        Abrir();
        QCOMPARE(mmensagens.size(), 2);
        QCOMPARE(mmensagens.at(1).Texto,
                 u"Estes itens do orçamento não gravado não estão mais cadastrados ou "
                 u"estão inativos, e ficaram fora do orçamento recuperado:\r\n"
                 u"Ração Cães 15 kg"_s);
        QCOMPARE(Linhas().size(), 1);
        QVERIFY(Linhas().constFirst().contains(u"Consulta clínica"_s));
        // Cancelled: the copy goes, and the next form asks nothing.
        Clicar("xrcmdCancelarAlterar");
        QVERIFY(!QFile::exists(Arquivo()));
        mficha.reset();
        mmensagens.clear();
        Abrir();
        QVERIFY(mmensagens.isEmpty() && Linhas().isEmpty());
        // "Não" discards the copy.
        Compor({u"servico 1"_s});
        mficha.reset();
        mrespostas << Plataforma::vbNo;
        Abrir();
        QCOMPARE(mmensagens.size(), 1);
        QVERIFY(Linhas().isEmpty() && !QFile::exists(Arquivo()));
    }
};

QTEST_MAIN(TesteDaRecuperacaoDaFicha)
#include "tst_ficha_recuperacao.moc"
