// "Termo de consentimento" on SQLite and PostgreSQL: the animal's age written from its
// birth date; the window naming what the registry lacks and refusing to print without
// it (a wrong CPF too); both copies exported and printed, read back from the PDF with
// pdftotext, every datum the form must carry in each copy, each copy from a page of its
// own; the history entry of each form that left, none for a cancelled one.

#include "tests/Linha.h"
#include "tests/andamento/ControlesDeTeste.h"
#include "tests/business/TesteDeNegocio.h"
#include "tests/list/ImpressaoDeTeste.h"
#include "tests/reports/TextoDoPdf.h"

#include "andamento/RegistroDasJanelas.h"
#include "andamento/frmTermoDeConsentimento.h"
#include "business/TermoDeConsentimento.h"
#include "contracts/DadosDoUsuario.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;

class TesteDoTermoDeConsentimento : public TesteDeNegocio {
    Q_OBJECT

    void Preparar() override {
        FixarRelogio(QDateTime(QDate(2026, 12, 6), QTime(10, 0)));
        mmensagens.clear();
        Plataforma::SubstituirMsgBox([this](const QString& texto, int, const QString&) {
            mmensagens << texto;
            return int(Plataforma::vbOK);
        });
        // The save and print dialogs answered with a file of the session's folder, or cancelled.
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) {
            if (auto* salvar = qobject_cast<QFileDialog*>(janela)) {
                salvar->selectFile(mstrPdf);
                QMetaObject::invokeMethod(salvar, mbooCancelar ? "reject" : "accept");
            } else if (auto* imprimir = qobject_cast<QPrintDialog*>(janela)) {
                // Accepted first: the dialog hands the printer its own choices then.
                QMetaObject::invokeMethod(imprimir, "accept");
                imprimir->printer()->setOutputFileName(mstrPdf);
            }
        });
        musuarioDaJanela.NomeDoUsuario = u"ANA"_s;
        modPrincipal::DadosDoUsuario = &musuarioDaJanela;
        modPrincipal::NomeDaAplicacao = u"ZELT Veterinária"_s;
    }

    void Encerrar() override {
        Plataforma::SubstituirMsgBox({});
        Plataforma::SubstituirExibicaoModal({});
    }

    // The clinic's data and settings (surgeries need consent), the animal's registry, and
    // a quote of João (no CPF) for Rex of 3,8 kg: a consultation and a castration, this one
    // "se necessário"; its number.
    double OrcamentoComCirurgia() {
        Banco::Executar(
            u"UPDATE Empresa SET CNPJ = '11.222.333/0001-81', Logradouro = 'Av. Brasil', Numero = "
            "'500', Bairro = 'Centro', Cidade = 'Campinas', UF = 'SP', CEP = '13010-100'"_s);
        Banco::Executar(u"INSERT INTO ConfiguracoesDoOrcamento (CodigoDaEmpresa, TextoDeConsentimento, "
                        "VeterinarioResponsavel, CRMV, UFDoCRMV, TiposDeServicosComConsentimento) SELECT "
                        "MIN(Codigo), 'Autorizo a cirurgia e a anestesia.', 'Dra. Ana Souza', '12345', 'SP', "
                        "'2;3' FROM Empresa"_s);
        Banco::Executar(u"UPDATE Animais SET Especie = 'Cão', Raca = 'Labrador', Sexo = 'Macho', "
                        "DataDeNascimento = '2023-10-01' WHERE Codigo = 10"_s);
        GradeEmMemoria grade;
        auto orcamento = OrcamentoValido(grade, musuario.get());
        grade.AdicionarServico(2, 3, 10, u"1"_s, u"350,00"_s, u"0,00"_s, u"0,00"_s, u"350,00"_s);
        DefinirTotais(*orcamento, u"470,00|2,55|12,00|458,00"_s);
        orcamento->PesoDoAnimal = u"3,8"_s;
        if (orcamento->Adicionar() != 0)
            qWarning() << orcamento->DescricaoDaFalha << orcamento->DescricaoDoErro;
        Banco::Executar(u"INSERT INTO ItensSeNecessario VALUES (?, 2)"_s, {orcamento->CodigoGerado});
        return orcamento->CodigoGerado;
    }

    template <class T> T* Controle(QWidget& janela, const char* nome) {
        return janela.findChild<T*>(QString::fromLatin1(nome));
    }

    QString UltimaOperacao(double numero) {
        return Consulta("SELECT Operacao FROM HistoricoDeOrcamentos WHERE NumeroDoOrcamento = ? ORDER BY "
                        "NumeroDoRegistro DESC",
                        {numero});
    }

    QStringList mmensagens;
    QString mstrPdf;
    bool mbooCancelar = false;
    clsDadosDoUsuario musuarioDaJanela;

private slots:
    void idade_data() {
        Colunas<QDate, QString>("nascimento", "idade");
        QTest::newRow("anos e meses") << QDate(2023, 10, 1) << u"3 anos e 2 meses"_s;
        QTest::newRow("um ano e um mês") << QDate(2025, 11, 6) << u"1 ano e 1 mês"_s;
        QTest::newRow("anos exatos") << QDate(2024, 12, 6) << u"2 anos"_s;
        QTest::newRow("mês incompleto") << QDate(2026, 7, 7) << u"4 meses"_s;
        QTest::newRow("dias") << QDate(2026, 11, 24) << u"12 dias"_s;
        QTest::newRow("hoje") << QDate(2026, 12, 6) << u"0 dias"_s;
        QTest::newRow("futuro") << QDate(2026, 12, 7) << QString();
        QTest::newRow("sem data") << QDate() << QString();
    }
    void idade() {
        QFETCH(QDate, nascimento);
        QFETCH(QString, idade);
        QCOMPARE(TermoDeConsentimento::Idade(nascimento, QDate(2026, 12, 6)), idade);
    }

    void termoEmDuasViasComOQueFaltaDigitado() {
        const double numero = OrcamentoComCirurgia();
        QVERIFY(numero > 0);
        frmTermoDeConsentimento janela;
        QVERIFY(!janela.MontarExibirFormulario(numero));
        QCOMPARE(RotulosCortados(janela), QStringList());
        auto* grade = Controle<MSFlexGrid>(janela, "msfgGrade");
        QCOMPARE(grade->Rows(), 2); // the castration only: a consultation needs no consent
        QCOMPARE(grade->TextMatrix(1, 1), u"Castração de gato (se necessário)"_s);
        QCOMPARE(Controle<Label>(janela, "lblFaltando")->Caption(),
                 u"Não cadastrado, preencha para imprimir: CPF do(a) tutor(a)."_s);
        QCOMPARE(Controle<Label>(janela, "lblAnimal")->Caption(),
                 u"Animal: Rex · Cão · Labrador · Macho · 3 anos e 2 meses · 3,8 kg"_s);
        QCOMPARE(Controle<Label>(janela, "lblEstimativa")->Caption(),
                 u"Estimativa: de R$ 108,00 a R$ 458,00"_s);
        QCOMPARE(Controle<QLineEdit>(janela, "txtVeterinario")->text(), u"Dra. Ana Souza"_s);

        // Nothing printed without the CPF, nor with a wrong one.
        auto* cpf = Controle<QLineEdit>(janela, "txtCPF");
        auto* exportar = Controle<XRCommandButton>(janela, "xrcmdExportarPdf");
        const qint64 entradas = Numero("SELECT COUNT(*) FROM HistoricoDeOrcamentos");
        QTest::mouseClick(exportar, Qt::LeftButton);
        cpf->setText(u"529.982.247-26"_s);
        QTest::mouseClick(exportar, Qt::LeftButton);
        QCOMPARE(mmensagens, (QStringList{u"Informe CPF do(a) tutor(a) para imprimir o termo."_s,
                                          u"O CPF 529.982.247-26 não é válido: confira os dígitos."_s}));
        // A cancelled save writes no entry.
        cpf->setText(u"529.982.247-25"_s);
        mbooCancelar = true;
        QTest::mouseClick(exportar, Qt::LeftButton);
        QCOMPARE(Numero("SELECT COUNT(*) FROM HistoricoDeOrcamentos"), entradas);

        // Exported, then printed by another veterinarian typed at the counter.
        mbooCancelar = false;
        for (const bool impresso : {false, true}) {
            mstrPdf = msessao->Pasta().filePath(impresso ? u"impresso.pdf"_s : u"exportado.pdf"_s);
            if (impresso) {
                Controle<QLineEdit>(janela, "txtVeterinario")->setText(u"Dr. Caio Lima"_s);
                Controle<QLineEdit>(janela, "txtCRMV")->setText(u"54321"_s);
            }
            QTest::mouseClick(
                Controle<XRCommandButton>(janela, impresso ? "xrcmdImprimir" : "xrcmdExportarPdf"),
                Qt::LeftButton);
            QCOMPARE(mmensagens.size(), 2);
            const QString veterinario = impresso ? u"Dr. Caio Lima"_s : u"Dra. Ana Souza"_s;
            const QString crmv = impresso ? u"CRMV-SP 54321"_s : u"CRMV-SP 12345"_s;
            QCOMPARE(UltimaOperacao(numero),
                     u"termo de consentimento %1: %2, %3"_s.arg(
                         impresso ? u"impresso"_s : u"exportado em PDF"_s, veterinario, crmv));
            const QStringList paginas = TextoDoPdf(mstrPdf).split(u'\f', Qt::SkipEmptyParts);
            QCOMPARE(paginas.size(), 2);
            for (int via = 0; via < 2; ++via) {
                const QString texto = paginas[via].simplified();
                for (
                    const QString& dado :
                    {via == 0 ? u"1ª via - clínica"_s : u"2ª via - tutor(a)"_s, u"Termo de consentimento"_s,
                     u"Orçamento %1"_s.arg(numero),
                     u"Clínica Escola (Clínica Escola Ltda.) - CNPJ: 11.222.333/0001-81"_s,
                     u"Endereço: Av. Brasil, 500 - Centro - Campinas/SP - CEP 13010-100"_s,
                     u"Médico(a)-veterinário(a) responsável: %1 - Registro: %2"_s.arg(veterinario, crmv),
                     u"Nome: João da Silva - CPF/CNPJ: 529.982.247-25"_s,
                     u"Endereço: Rua das Flores, 120 - Apto 3 - Centro - Campinas/SP - CEP 13010-000"_s,
                     u"Nome: Rex - Espécie: Cão - Raça: Labrador - Sexo: Macho - Idade: 3 anos e 2 meses - Peso: 3,8 kg"_s,
                     u"• Castração de gato (quantidade: 1) (se necessário)"_s,
                     u"Estimativa: de R$ 108,00 a R$ 458,00"_s, u"Autorizo a cirurgia e a anestesia."_s,
                     u"Campinas/SP, 6 de dezembro de 2026."_s,
                     u"João da Silva - CPF 529.982.247-25 (tutor(a))"_s,
                     u"%1 - %2 (médico(a)-veterinário(a))"_s.arg(veterinario, crmv)})
                    QVERIFY2(texto.contains(dado), qPrintable(dado + u"\n"_s + texto));
            }
        }
    }

    // The UF of the CRMV as typed at the counter: one of the 27 in any case, printed and
    // written in the history upper-case; anything else refused by name, nothing printed.
    void ufDoCRMV_data() {
        // mensagem: empty: printed
        Colunas<QString, QString, QString>("digitada", "mensagem", "impressa");
        QTest::newRow("minúsculas") << u"sp"_s << QString() << u"SP"_s;
        QTest::newRow("com brancos") << u" Rj "_s << QString() << u"RJ"_s;
        QTest::newRow("distrito federal") << u"df"_s << QString() << u"DF"_s;
        QTest::newRow("desconhecida")
            << u"XX"_s << u"A UF do CRMV \"XX\" não é uma unidade da federação."_s << QString();
        QTest::newRow("nome do estado")
            << u"São Paulo"_s << u"A UF do CRMV \"São Paulo\" não é uma unidade da federação."_s << QString();
        QTest::newRow("vazia") << QString() << u"Informe UF do CRMV para imprimir o termo."_s << QString();
        QTest::newRow("em branco") << u"   "_s << u"Informe UF do CRMV para imprimir o termo."_s << QString();
    }
    void ufDoCRMV() {
        QFETCH(QString, digitada);
        QFETCH(QString, mensagem);
        QFETCH(QString, impressa);
        const double numero = OrcamentoComCirurgia();
        frmTermoDeConsentimento janela;
        QVERIFY(!janela.MontarExibirFormulario(numero));
        Controle<QLineEdit>(janela, "txtCPF")->setText(u"529.982.247-25"_s);
        auto* uf = Controle<QLineEdit>(janela, "txtUFDoCRMV");
        uf->setText(digitada);
        mstrPdf = msessao->Pasta().filePath(u"uf.pdf"_s);
        const QString antes = UltimaOperacao(numero);
        QTest::mouseClick(Controle<XRCommandButton>(janela, "xrcmdExportarPdf"), Qt::LeftButton);
        if (!mensagem.isEmpty()) {
            QCOMPARE(mmensagens, QStringList{mensagem});
            QCOMPARE(janela.focusWidget(), static_cast<QWidget*>(uf));
            QCOMPARE(UltimaOperacao(numero), antes);
            QVERIFY(!QFile::exists(mstrPdf));
            return;
        }
        QVERIFY2(mmensagens.isEmpty(), qPrintable(mmensagens.join(u'\n')));
        QCOMPARE(uf->text(), impressa);
        QCOMPARE(UltimaOperacao(numero),
                 u"termo de consentimento exportado em PDF: Dra. Ana Souza, CRMV-%1 12345"_s.arg(impressa));
        const QString texto = TextoDoPdf(mstrPdf).simplified();
        QVERIFY2(texto.contains(u"Dra. Ana Souza - Registro: CRMV-%1 12345"_s.arg(impressa)),
                 qPrintable(texto));
    }

    // The sheet's preview from the list's row offers the form for this quote and opens it.
    void termoPelaPreviaDaFicha() {
        Suite::RegistrarComponentesDaSuite();
        andamento::RegistrarJanelas();
        PrepararContexto(&musuarioDaJanela);
        QVERIFY(OrcamentoComCirurgia() > 0);
        bool habilitado = false, aberto = false;
        Plataforma::SubstituirExibicaoModal([&](QWidget* janela) {
            if (qobject_cast<frmTermoDeConsentimento*>(janela)) {
                aberto = true;
                return;
            }
            auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janela);
            QVERIFY(previa);
            previa->show();
            auto* termo = previa->findChild<QToolButton*>(u"cmdTermoDeConsentimento"_s);
            QVERIFY(termo);
            habilitado = termo->isEnabled();
            QTest::mouseClick(termo, Qt::LeftButton);
            previa->close();
        });
        Cenario cenario;
        cenario.ImprimirFichaDaLinha(1);
        QVERIFY(habilitado && aberto);
        QVERIFY(ErrosExibidos().isEmpty());
    }
};

QTEST_MAIN(TesteDoTermoDeConsentimento)
#include "tst_termo_de_consentimento.moc"
