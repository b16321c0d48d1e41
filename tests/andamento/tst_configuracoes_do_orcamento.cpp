// "Configurações do orçamento" driven by its controls through the host's menu, on SQLite
// and PostgreSQL: an administrator reads the defaults, types the settings and saves them
// (stored as typed, the PIX key as the directory keeps it); a bad key is told naming its
// kind, its box gets the focus and nothing is stored; the key's QR code on the screen
// reads back as its code; Escape leaves without storing; a
// counter clerk is told and no window opens; F1 opens the guide's section.

#include "tests/Linha.h"
#include "tests/andamento/TesteDeJanela.h"

#include "tests/reports/TextoDoPdf.h"

#include "andamento/frmConfiguracoesDoOrcamento.h"
#include "contracts/Pix.h"

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;

namespace {

QString Texto(const QWidget& janela, const QString& caixa) {
    return Filho<XRNumberBox>(janela, caixa)->Text();
}

void Digitar(const QWidget& janela, const QString& caixa, const QString& texto) {
    Filho<XRNumberBox>(janela, caixa)->setText(texto);
}

} // namespace

class TesteDasConfiguracoesDoOrcamento : public TesteDeJanela {
    Q_OBJECT

public:
    TesteDasConfiguracoesDoOrcamento() : TesteDeJanela(true) {}

private:
    void Preparar() override {
        PrepararJanelas();
        mexibidas.clear();
    }

    // The menu's "Configurações do orçamento…" for that user; acao drives the window while
    // it is shown.
    void Abrir(clsDadosDoUsuario& usuario, std::function<void(QWidget&)> acao) {
        AbrirPeloMenu("AcaoConfiguracoesDoOrcamento", usuario, [&](QWidget& janela) {
            mexibidas << janela.objectName();
            acao(janela);
        });
    }

    QStringList mexibidas;

private slots:
    void administrador_grava_o_que_digitou() {
        Abrir(madministrador, [&](QWidget& j) {
            j.show();
            QCOMPARE(RotulosCortados(j), QStringList());
            QCOMPARE(Texto(j, u"xrnbQuantidadeDeDiasParaAValidadeDoOrcamento"_s), u"10"_s);
            QCOMPARE(Filho<XRComboBox>(j, u"xrcmbPermissaoParaAlterarADataDeValidadeDoOrcamento"_s)->Text(),
                     u"Pode ser alterada"_s);
            QCOMPARE(Texto(j, u"xrnbPercentualDoSinal"_s), u"0"_s);
            QCOMPARE(Texto(j, u"xrnbNomeDoRecebedor"_s), u"Clínica Escola"_s);
            QVERIFY(Texto(j, u"xrnbTextoDeConsentimento"_s).startsWith(u"Declaro que fui informado(a)"_s));
            Filho<XRComboBox>(j, u"xrcmbPermissaoParaAlterarADataDeValidadeDoOrcamento"_s)->setListIndex(0);
            Filho<XRComboBox>(j, u"xrcmbSinalReembolsavel"_s)->setListIndex(1);
            // Each box "name=text".
            for (const QString& caixa :
                 {u"QuantidadeDeDiasParaAValidadeDoOrcamento=15"_s, u"PercentualDoSinal=12,5"_s,
                  u"ChavePix=+55 (19) 99876-5432"_s, u"CidadeDoRecebedor=Campinas"_s,
                  u"CondicoesDePagamento=À vista no Pix ou em até 6x no cartão"_s,
                  u"VeterinarioResponsavel=Dra. Cecília Prado"_s, u"CRMV=12345"_s, u"UFDoCRMV=SP"_s,
                  u"TiposDeServicosComConsentimento=2; 3"_s})
                Digitar(j, u"xrnb"_s + caixa.section(u'=', 0, 0), caixa.section(u'=', 1));
            QTest::mouseClick(Filho<XRCommandButton>(j, u"xrcmdGravar"_s), Qt::LeftButton);
            QVERIFY(!j.isVisible());
        });
        QCOMPARE(mexibidas, QStringList{u"frmConfiguracoesDoOrcamento"_s});
        QCOMPARE(mmensagens, QStringList{u"As configurações do orçamento foram gravadas.|64"_s});
        QCOMPARE(Numero("SELECT QuantidadeDeDiasParaAValidadeDoOrcamento FROM Empresa"), qint64(15));
        QCOMPARE(Numero("SELECT PermissaoParaAlterarADataDeValidadeDoOrcamento FROM Empresa"), qint64(0));
        QCOMPARE(
            Textos(u"SELECT PercentualDoSinal || '|' || SinalReembolsavel || '|' || ChavePix || '|' || "
                   "NomeDoRecebedor || '|' || CidadeDoRecebedor || '|' || CondicoesDePagamento || '|' || "
                   "VeterinarioResponsavel || '|' || CRMV || '|' || UFDoCRMV || '|' || "
                   "TiposDeServicosComConsentimento FROM ConfiguracoesDoOrcamento"_s),
            QStringList{u"125000|1|+5519998765432|Clínica Escola|Campinas|À vista no Pix ou em até 6x no "
                        "cartão|Dra. Cecília Prado|12345|SP|2;3"_s});
        // Opened again: what was saved.
        mmensagens.clear();
        Abrir(madministrador, [&](QWidget& j) {
            QCOMPARE(Texto(j, u"xrnbPercentualDoSinal"_s), u"12,5"_s);
            QCOMPARE(Texto(j, u"xrnbChavePix"_s), u"+5519998765432"_s);
            QCOMPARE(Texto(j, u"xrnbTiposDeServicosComConsentimento"_s), u"2; 3"_s);
            QCOMPARE(Filho<XRComboBox>(j, u"xrcmbSinalReembolsavel"_s)->ListIndex(), 1);
        });
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    // Each bad value told, its box focused, nothing stored; the window stays open.
    void valor_recusado_fica_na_janela_data() {
        Colunas<QString, QString, QString>("caixa", "texto", "mensagem");
        Linha("CNPJ errado", u"xrnbChavePix"_s, u"11.444.777/0001-62"_s,
              u"A chave Pix \"11.444.777/0001-62\" parece um CNPJ, mas os dígitos "
              "verificadores não conferem.|48"_s);
        Linha("percentual acima de 100", u"xrnbPercentualDoSinal"_s, u"150"_s,
              u"O percentual do sinal deve ser de 0 a 100 (0: sem sinal).|48"_s);
        Linha("percentual que não é número", u"xrnbPercentualDoSinal"_s, u"metade"_s,
              u"Informe o percentual do sinal como um número de 0 a 100 (0: sem sinal).|48"_s);
        Linha("dias que não são número", u"xrnbQuantidadeDeDiasParaAValidadeDoOrcamento"_s, u"10,5"_s,
              u"Informe a validade do orçamento em dias, de 0 a 3650.|48"_s);
        Linha("tipo desconhecido", u"xrnbTiposDeServicosComConsentimento"_s, u"2; 77"_s,
              u"O tipo de serviço 77 não está cadastrado.|48"_s);
        Linha("tipo que não é código", u"xrnbTiposDeServicosComConsentimento"_s, u"cirurgia"_s,
              u"\"cirurgia\" não é o código de um tipo de serviço. Informe os códigos separados por ponto e "
              "vírgula (ex.: 2; 3; 4).|48"_s);
    }
    void valor_recusado_fica_na_janela() {
        QFETCH(QString, caixa);
        QFETCH(QString, texto);
        QFETCH(QString, mensagem);
        Abrir(madministrador, [&](QWidget& j) {
            j.show();
            QApplication::setActiveWindow(&j);
            Digitar(j, u"xrnbChavePix"_s, u"123e4567-e12b-12d1-a456-426655440000"_s);
            Digitar(j, u"xrnbCidadeDoRecebedor"_s, u"Campinas"_s);
            Digitar(j, caixa, texto);
            QTest::mouseClick(Filho<XRCommandButton>(j, u"xrcmdGravar"_s), Qt::LeftButton);
            QVERIFY(j.isVisible());
            QVERIFY(Filho<Controle>(j, caixa)->TemOFoco());
            // Escape leaves without storing.
            QTest::keyClick(&j, Qt::Key_Escape);
            QVERIFY(!j.isVisible());
        });
        QCOMPARE(mmensagens, QStringList{mensagem});
        QCOMPARE(Numero("SELECT COUNT(*) FROM ConfiguracoesDoOrcamento"), qint64(0));
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void f1_abre_o_guia_nas_configuracoes() {
        Abrir(madministrador, [&](QWidget& j) { QCOMPARE(SecaoDoF1(&j), u"configuracoes"_s); });
    }

    // The key's QR code on the screen, drawn again as the boxes lose the focus, reads
    // back as the code of the key, name and city typed; hidden for a bad key.
    void qr_code_da_chave_na_tela() {
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(u"chave.png"_s);
        Abrir(madministrador, [&](QWidget& j) {
            j.show();
            QApplication::setActiveWindow(&j);
            auto* qrCode = Filho<Controle>(j, u"imgQrCodePix"_s);
            QVERIFY(!qrCode->isVisibleTo(&j)); // no key yet
            Filho<Controle>(j, u"xrnbChavePix"_s)->SetFocus();
            Digitar(j, u"xrnbChavePix"_s, u"11.444.777/0001-61"_s);
            Digitar(j, u"xrnbCidadeDoRecebedor"_s, u"Campinas"_s);
            Filho<Controle>(j, u"xrnbCRMV"_s)->SetFocus();
            QVERIFY(qrCode->isVisibleTo(&j));
            QVERIFY(qrCode->grab().save(arquivo));
            Filho<Controle>(j, u"xrnbChavePix"_s)->SetFocus();
            Digitar(j, u"xrnbChavePix"_s, u"11.444.777/0001-62"_s);
            Filho<Controle>(j, u"xrnbCRMV"_s)->SetFocus();
            QVERIFY(!qrCode->isVisibleTo(&j));
        });
        QCOMPARE(LerQrCode(arquivo),
                 Pix::CopiaECola({u"11444777000161"_s, u"Clínica Escola"_s, u"Campinas"_s, {}, {}}));
        QVERIFY(mmensagens.isEmpty() && ErrosExibidos().isEmpty());
    }

    void balconista_e_avisado_e_nada_abre() {
        Abrir(mbalconista, [](QWidget&) {});
        QVERIFY(mexibidas.isEmpty());
        QCOMPARE(mmensagens, QStringList{frmConfiguracoesDoOrcamento::SomenteAdministrador + u"|64"_s});
        QVERIFY(ErrosExibidos().isEmpty());
    }
};

QTEST_MAIN(TesteDasConfiguracoesDoOrcamento)
#include "tst_configuracoes_do_orcamento.moc"
