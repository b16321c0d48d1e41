// "Pacotes de procedimentos" driven by its controls through the host's menu, on SQLite
// and PostgreSQL: an administrator types a package band by band and saves it (stored as
// typed, read back in the grid with the registry's names); bands with a gap are told
// naming them and nothing is stored; a counter clerk looks with every editing control
// disabled; F1 opens the guide's section.

#include "tests/andamento/TesteDeJanela.h"

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;

namespace {

void Clicar(const QWidget& janela, const QString& comando) {
    emit Filho<XRCommandButton>(janela, comando)->Click();
}

// One row of the item's boxes ("0|4|Serviço|1|1|Não"), then "Incluir item".
void Incluir(const QWidget& janela, const QString& linha) {
    const QStringList v = linha.split(u'|');
    Filho<XRNumberBox>(janela, u"xrnbPesoInicial"_s)->setText(v.at(0));
    Filho<XRNumberBox>(janela, u"xrnbPesoFinal"_s)->setText(v.at(1));
    Filho<XRComboBox>(janela, u"xrcmbTipo"_s)->setListIndex(v.at(2) == u"Produto" ? 1 : 0);
    Filho<XRNumberBox>(janela, u"xrnbCodigo"_s)->setText(v.at(3));
    Filho<XRNumberBox>(janela, u"xrnbQuantidade"_s)->setText(v.at(4));
    Filho<XRComboBox>(janela, u"xrcmbSeNecessario"_s)->setListIndex(v.at(5) == u"Sim" ? 1 : 0);
    Clicar(janela, u"xrcmdIncluirItem"_s);
}

// The grid's rows, cells 1 to 7 joined by "|".
QStringList Linhas(const QWidget& janela) {
    return LinhasDaGrade(Filho<MSFlexGrid>(janela, u"msfgGrade"_s), 1, 7);
}

} // namespace

class TesteDosPacotesDeProcedimentos : public TesteDeJanela {
    Q_OBJECT

    void Preparar() override { PrepararJanelas(); }
    void Abrir(clsDadosDoUsuario& usuario, std::function<void(QWidget&)> acao) {
        AbrirPeloMenu("AcaoPacotesDeProcedimentos", usuario, acao);
    }

private slots:
    void administrador_grava_e_balconista_so_olha() {
        Abrir(madministrador, [&](QWidget& j) {
            QCOMPARE(Filho<XRComboBox>(j, u"xrcmbPacote"_s)->ListCount(), 0);
            Filho<XRNumberBox>(j, u"xrnbNome"_s)->setText(u"Castração de gata"_s);
            Filho<XRComboBox>(j, u"xrcmbEspecie"_s)->setListIndex(2);
            Incluir(j, u"4|8|Serviço|3|1|Não"_s);
            Incluir(j, u"0|4|Serviço|3|1|Não"_s);
            Incluir(j, u"0|4|Produto|100|0,5|Sim"_s);
            Incluir(j, u"9|12|Serviço|1|1|Não"_s);
            Clicar(j, u"xrcmdGravar"_s);
            QCOMPARE(mmensagens,
                     QStringList{u"Entre as faixas de 4 a 8 kg e de 9 a 12 kg há pesos sem faixa: a "
                                 "faixa seguinte deve começar onde a anterior termina."_s});
            QCOMPARE(Numero("SELECT COUNT(*) FROM PacotesDeProcedimentos"), qint64(0));
            // The last row taken out again, and saved.
            Filho<MSFlexGrid>(j, u"msfgGrade"_s)->setRow(4);
            Filho<MSFlexGrid>(j, u"msfgGrade"_s)->setRowSel(4);
            Clicar(j, u"xrcmdRemoverItem"_s);
            Clicar(j, u"xrcmdGravar"_s);
            QCOMPARE(mmensagens.constLast(), u"O pacote Castração de gata foi gravado."_s);
            QCOMPARE(Linhas(j), (QStringList{u"0|4|Serviço|3|Castração de gato|1|Não"_s,
                                             u"0|4|Produto|100|Ração Cães 15 kg|0,5|Sim"_s,
                                             u"4|8|Serviço|3|Castração de gato|1|Não"_s}));
        });
        QCOMPARE(Textos(u"SELECT Nome || '|' || Especie FROM PacotesDeProcedimentos"_s),
                 QStringList{u"Castração de gata|Gato"_s});
        QCOMPARE(Numero("SELECT COUNT(*) FROM ItensDosPacotes WHERE SeNecessario = 1"), qint64(1));
        mmensagens.clear();
        Abrir(mbalconista, [&](QWidget& j) {
            QCOMPARE(Filho<XRComboBox>(j, u"xrcmbPacote"_s)->Text(), u"Castração de gata"_s);
            QCOMPARE(Linhas(j).size(), 3);
            for (const char* nome :
                 {"xrnbNome", "xrcmdIncluirItem", "xrcmdRemoverItem", "xrcmdGravar", "xrcmdExcluir"})
                QVERIFY2(!Filho<QWidget>(j, QString::fromLatin1(nome))->isEnabled(), nome);
            QCOMPARE(SecaoDoF1(&j), u"pacotes"_s);
        });
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }
};

QTEST_MAIN(TesteDosPacotesDeProcedimentos)
#include "tst_pacotes_de_procedimentos.moc"
