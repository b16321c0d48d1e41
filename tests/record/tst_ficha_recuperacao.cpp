// The recovery copy of a new quote, driven through the record form's controls: written
// after each item command, kept when the save fails (on PostgreSQL, with the server
// stopped under the form), offered back the next time a form opens for a new quote,
// restored with the items the registry still has, discarded by "no", by a save and by
// cancelling; offered only on its own database, never while its form is open (in this
// process or another one), and only with values the user may give; a copy that is no
// regular file of sensible size is ignored and logged.

#include "tests/Linha.h"
#include "tests/component/DublesDoComponente.h"
#include "tests/record/TesteDaFicha.h"

#include "business/Banco.h"
#include "business/Negocio.h"
#include "component/modPrincipal.h"
#include "contracts/DadosDoUsuario.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QComboBox>
#include <cstdio>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// The copies in the folder, each a form's own, the latest first.
QFileInfoList Copias() {
    return QDir(frmFicha::PastaDasCopiasDeRecuperacao())
        .entryInfoList({u"orcamento-nao-gravado-*.json"_s}, QDir::Files, QDir::Time);
}

QJsonObject Copia() {
    QFile arquivo(Copias().value(0).filePath());
    return arquivo.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(arquivo.readAll()).object()
                                             : QJsonObject();
}

void EscreverCopia(const QJsonObject& copia) {
    QVERIFY(BancoDeTeste::EscreverArquivo(Copias().value(0).filePath(), QJsonDocument(copia).toJson()));
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
    QStringList Linhas() const {
        QStringList linhas;
        for (const QString& linha :
             LinhasDaGrade(No<MSFlexGrid>("msfgGradeDeItensDoOrcamento"),
                           GradeDeItens::TipoDeServicoOuCodigoDeBarras, GradeDeItens::CodigoDaSituacao))
            if (!linha.section(u'|', 1, 1).isEmpty()) linhas << linha;
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
        QVERIFY(Copias().isEmpty());
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
        QCOMPARE(Copias().size(), 1);

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
        QVERIFY(Copias().isEmpty());
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
                 u"Estes itens do orçamento não gravado não estão mais cadastrados ou estão inativos, e "
                 "ficaram fora do orçamento recuperado:\r\nRação Cães 15 kg"_s);
        QCOMPARE(Linhas().size(), 1);
        QVERIFY(Linhas().constFirst().contains(u"Consulta clínica"_s));
        // Cancelled: the copy goes, and the next form asks nothing.
        Clicar("xrcmdCancelarAlterar");
        QVERIFY(Copias().isEmpty());
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
        QVERIFY(Linhas().isEmpty() && Copias().isEmpty());
    }

    // A copy typed on one database waits, untouched, while another one (with the same
    // codes) is open, and is offered again on its own.
    void copia_oferecida_somente_no_seu_banco() {
        Abrir();
        Compor({u"servico 1"_s});
        mficha.reset();
        QTemporaryDir pasta;
        Negocio::Configuracao outro;
        outro.ArquivoSQLite = pasta.filePath(u"outro.sqlite"_s);
        outro.CriarDadosDeDemonstracao = false;
        Negocio::Iniciar(outro);
        BancoDeTeste::EscreverCadastroDeTeste();
        Abrir();
        QVERIFY(mmensagens.isEmpty() && Linhas().isEmpty());
        Clicar("xrcmdCancelarAlterar");
        mficha.reset();
        QCOMPARE(Copias().size(), 1);

        // A client's name with %N in it is shown as typed.
        QJsonObject copia = Copia();
        copia.insert(u"cliente"_s, QJsonObject{{u"codigo"_s, 2}, {u"nome"_s, u"Loja %1 e %3 Ltda"_s}});
        EscreverCopia(copia);
        Negocio::Iniciar(msessao->Configuracao());
        const QString pergunta = Pergunta(1).replace(u"Maria Antônia Gonçalves"_s, u"Loja %1 e %3 Ltda"_s);
        mrespostas << Plataforma::vbYes;
        Abrir();
        QCOMPARE(Mensagens(), QStringList{u"(?) "_s + pergunta});
        QCOMPARE(Linhas().size(), 1);
    }

    // Two forms of the same user each keep their own copy; one still open is neither
    // offered to the other nor deleted by it; once closed without saving, it is.
    void duas_fichas_cada_uma_com_a_sua() {
        Abrir();
        Compor({u"servico 1"_s});
        std::unique_ptr<frmFicha> primeira = std::move(mficha);
        Abrir();
        QVERIFY(mmensagens.isEmpty());
        Compor({u"servico 2"_s, u"servico 1"_s});
        QCOMPARE(Copias().size(), 2);
        Clicar("xrcmdCancelarAlterar");
        QCOMPARE(Copias().size(), 1);
        mficha.reset();
        Abrir();
        QVERIFY(mmensagens.isEmpty());
        Clicar("xrcmdCancelarAlterar");
        mficha.reset();
        QCOMPARE(Copias().size(), 1);
        // The first form ends without saving: its copy is offered, and "Não" deletes it.
        primeira.reset();
        mrespostas << Plataforma::vbNo;
        Abrir();
        QCOMPARE(mmensagens.size(), 1);
        QVERIFY(Copias().isEmpty());
    }

    // A form of another program (this test's executable, as a workstation of its own) holds
    // its copy while it runs; killed, its lock is stale and its copy is offered.
    void copia_de_outro_programa_oferecida_depois_que_ele_morre() {
        QProcess outro;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(u"ZELT_FICHA_DE_OUTRO_PROGRAMA"_s, u"1"_s);
        const Negocio::Configuracao configuracao = msessao->Configuracao();
        ambiente.insert(configuracao.UrlPostgreSQL.isEmpty() ? u"ZELT_BANCO"_s : u"ZELT_BANCO_URL"_s,
                        configuracao.UrlPostgreSQL.isEmpty() ? configuracao.ArquivoSQLite
                                                             : configuracao.UrlPostgreSQL);
        outro.setProcessEnvironment(ambiente);
        outro.start(QCoreApplication::applicationFilePath(), {});
        QByteArray saida;
        while (!saida.contains("pronto\n") && outro.waitForReadyRead(60000))
            saida += outro.readAllStandardOutput();
        QVERIFY2(saida.contains("pronto\n"), outro.readAllStandardError().constData());
        QCOMPARE(Copias().size(), 1);
        Abrir();
        QVERIFY(mmensagens.isEmpty());
        Clicar("xrcmdCancelarAlterar");
        mficha.reset();
        QCOMPARE(Copias().size(), 1);

        outro.kill();
        QVERIFY(outro.waitForFinished());
        const QString pergunta = Pergunta(1).replace(u"Maria Antônia Gonçalves"_s, u"João da Silva"_s);
        mrespostas << Plataforma::vbYes;
        Abrir();
        QCOMPARE(Mensagens(), QStringList{u"(?) "_s + pergunta});
        QCOMPARE(Linhas().size(), 1);
        QVERIFY(Linhas().constFirst().contains(u"Consulta clínica"_s));
    }

    // A clerk edits her own copy: a 50 % discount and a product at 0,10. Those items are
    // left out with a message; the item she may give is restored and stored as it was.
    void copia_forjada_por_balconista() {
        Abrir();
        Compor({u"servico 1"_s, u"servico 2"_s, u"produto 100"_s});
        mficha.reset();
        QJsonObject copia = Copia();
        QJsonArray itens = copia.value(u"itens"_s).toArray();
        const auto Forjar = [&](int item, GradeDeItens::Coluna coluna, const QString& texto) {
            QJsonArray celulas = itens.at(item).toArray();
            celulas.replace(coluna - GradeDeItens::TipoDeServicoOuCodigoDeBarras, texto);
            itens.replace(item, celulas);
        };
        Forjar(0, GradeDeItens::PercentualDeDesconto, u"50,00"_s);
        Forjar(0, GradeDeItens::ValorDeDesconto, u"60,00"_s);
        Forjar(0, GradeDeItens::ValorTotal, u"60,00"_s);
        Forjar(2, GradeDeItens::ValorUnitario, u"0,10"_s);
        Forjar(2, GradeDeItens::ValorTotal, u"0,10"_s);
        copia.insert(u"itens"_s, itens);
        EscreverCopia(copia);
        auto* usuario = static_cast<clsDadosDoUsuario*>(musuario.get());
        usuario->Administrador = false;
        usuario->PermissaoDoModuloCaixaAlterarDescontosDeVendas = false;

        mmensagens.clear();
        mrespostas << Plataforma::vbYes;
        Abrir();
        QCOMPARE(mmensagens.size(), 2);
        QCOMPARE(
            mmensagens.at(1).Texto,
            u"Estes itens do orçamento não gravado têm valores que não são válidos ou que este usuário "
            u"não pode dar (valor unitário, desconto), e ficaram fora do orçamento recuperado:\r\nConsulta clínica\r\nRação Cães 15 kg"_s);
        QCOMPARE(Linhas().size(), 1);
        Clicar("xrcmdSalvarFecharConfirmar");
        QVERIFY(mficha->OperacaoConcluida());
        QCOMPARE(BancoDeTeste::Consulta("SELECT CAST(ValorUnitario AS TEXT) || '|' || "
                                        "CAST(DescontoEmPercentual AS TEXT) FROM ItensDeOrcamento"),
                 u"900000|50000"_s);
    }

    // What is no regular file of sensible size is never opened as a copy: ignored, written
    // to the error log, and the form opens as if there were none.
    void copia_que_nao_e_arquivo_comum_data() {
        Colunas<QString, QString>("tipo", "motivo");
        const QString comum = u"não é um arquivo comum."_s;
        QTest::newRow("FIFO") << u"fifo"_s << comum;
        QTest::newRow("link para /dev/zero") << u"zero"_s << comum;
        QTest::newRow("pasta") << u"pasta"_s << comum;
        QTest::newRow("2 MB") << u"grande"_s << u"tem mais de 1 MB."_s;
    }

    void copia_que_nao_e_arquivo_comum() {
        QFETCH(QString, tipo);
        QFETCH(QString, motivo);
        QTemporaryDir registro;
        const QString log = registro.filePath(u"erros.log"_s);
        qputenv("ZELT_LOG", QFile::encodeName(log));
        QDir().mkpath(frmFicha::PastaDasCopiasDeRecuperacao());
        const QString caminho = frmFicha::PastaDasCopiasDeRecuperacao() + u"/orcamento-nao-gravado-x.json"_s;
        if (tipo == u"fifo"_s)
            QCOMPARE(mkfifo(QFile::encodeName(caminho).constData(), 0600), 0);
        else if (tipo == u"zero"_s)
            QVERIFY(QFile::link(u"/dev/zero"_s, caminho));
        else if (tipo == u"pasta"_s)
            QVERIFY(QDir().mkpath(caminho));
        else
            QVERIFY(BancoDeTeste::EscreverArquivo(caminho, QByteArray(2 * 1024 * 1024, ' ')));
        Abrir();
        qunsetenv("ZELT_LOG");
        QVERIFY(mmensagens.isEmpty() && Linhas().isEmpty());
        QVERIFY2(QString::fromUtf8(BancoDeTeste::LerArquivo(log))
                     .contains(u"A cópia de recuperação %1 foi ignorada: %2"_s.arg(caminho, motivo)),
                 BancoDeTeste::LerArquivo(log).constData());
    }

public:
    // The other program of copia_de_outro_programa_oferecida_depois_que_ele_morre: the
    // host's record form for client 1 on the database of the environment, one item
    // composed, "pronto" on its output, then waiting to be killed.
    int FichaDeOutroPrograma() {
        QStandardPaths::setTestModeEnabled(true);
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
        Negocio::Configuracao configuracao = Negocio::ConfiguracaoDoAmbiente();
        configuracao.CriarDadosDeDemonstracao = false;
        Negocio::Iniciar(configuracao);
        musuario = BancoDeTeste::Usuario(u"ANA"_s);
        modPrincipal::DadosDoUsuario = musuario.get();
        modPrincipal::NomeDaAplicacao = u"Clínica Escola"_s;
        Plataforma::SubstituirMsgBox(
            [](const QString&, int, const QString&) { return int(Plataforma::vbNo); });
        Plataforma::SubstituirExibicaoModal([](QWidget*) {});
        AbrirDoHost(1, 10);
        Compor({u"servico 1"_s}, false);
        if (Copias().size() != 1) return 1;
        std::fputs("pronto\n", stdout);
        std::fflush(stdout);
        return QCoreApplication::exec();
    }
};

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    TesteDaRecuperacaoDaFicha teste;
    if (qEnvironmentVariableIsSet("ZELT_FICHA_DE_OUTRO_PROGRAMA")) return teste.FichaDeOutroPrograma();
    return QTest::qExec(&teste, argc, argv);
}
#include "tst_ficha_recuperacao.moc"
