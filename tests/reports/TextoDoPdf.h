#pragma once
// What the printing tests share: a PDF read back as text, laid out as on the page
// (pages end with a form feed), its pages and the heading each must hold, and that text
// compared with a reference kept beside the test (ZELT_ATUALIZAR_REFERENCIAS=1 writes the
// reference anew instead, to be read over before it is kept); a disk that fills up; the
// desktop's helpers a printed quote is sent with, standing in.

#include <QtTest>
#include <csignal>
#include <sys/resource.h>

inline QString TextoDoPdf(const QString& arquivo) {
    const QString programa = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (programa.isEmpty()) qFatal("pdftotext não encontrado: instale o pacote poppler-utils");
    QProcess processo;
    processo.start(programa, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                              arquivo, QStringLiteral("-")});
    if (!processo.waitForFinished(60000) || processo.exitCode() != 0)
        qFatal("pdftotext falhou com %s", qPrintable(arquivo));
    return QString::fromUtf8(processo.readAllStandardOutput());
}

// The text a QR reader (zbarimg, of zbar-tools) reads from an image file, its own line
// end removed; empty when it reads none.
inline QString LerQrCode(const QString& arquivo) {
    const QString leitor = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (leitor.isEmpty()) qFatal("zbarimg não encontrado: instale o pacote zbar-tools");
    QProcess processo;
    processo.start(leitor,
                   {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Sbinary"), arquivo});
    processo.waitForFinished(60000);
    QString lido = QString::fromUtf8(processo.readAllStandardOutput());
    if (lido.endsWith(u'\n')) lido.chop(1);
    return lido;
}

// A PDF's page as a PNG image at that resolution (pdftoppm, of poppler-utils); answers
// the image file's path.
inline QString PaginaComoImagem(const QString& pdf, int pagina, int dpi, const QString& prefixo) {
    const QString programa = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (programa.isEmpty()) qFatal("pdftoppm não encontrado: instale o pacote poppler-utils");
    QProcess processo;
    processo.start(programa, {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"),
                              QString::number(dpi), QStringLiteral("-f"), QString::number(pagina),
                              QStringLiteral("-l"), QString::number(pagina), pdf, prefixo});
    if (!processo.waitForFinished(60000) || processo.exitCode() != 0)
        qFatal("pdftoppm falhou com %s", qPrintable(pdf));
    return prefixo + QStringLiteral(".png");
}

// A text's pages (the empty text after the last form feed aside).
inline QStringList Paginas(const QString& texto) {
    QStringList paginas = texto.split(u'\f');
    if (!paginas.isEmpty() && paginas.constLast().trimmed().isEmpty()) paginas.removeLast();
    return paginas;
}

// The first page that does not hold each of the texts, and its "Página: k de n", exactly
// once, with the text it lacks; empty when every page does.
inline QString FaltaEmAlgumaPagina(const QStringList& paginas, const QStringList& fixos) {
    for (qsizetype k = 0; k < paginas.size(); ++k)
        for (const QString& fixo :
             fixos + QStringList{QStringLiteral("Página: %1 de %2")
                                     .arg(QString::number(k + 1), QString::number(paginas.size()))})
            if (paginas[k].count(fixo) != 1)
                return QStringLiteral("página %1 sem \"%2\"").arg(QString::number(k + 1), fixo);
    return {};
}

// pasta: the folder of the references (QFINDTESTDATA of the test's own "referencias").
inline bool ConfereComAReferencia(const QString& texto, const QString& pasta, const QString& nome) {
    QFile arquivo(pasta + u'/' + nome + QStringLiteral(".txt"));
    if (qEnvironmentVariableIsSet("ZELT_ATUALIZAR_REFERENCIAS")) {
        if (!arquivo.open(QIODevice::WriteOnly)) return false;
        arquivo.write(texto.toUtf8());
        qWarning("referência %s regravada; confira-a antes de guardar", qPrintable(nome));
        return true;
    }
    if (!arquivo.open(QIODevice::ReadOnly)) {
        qWarning("falta a referência %s", qPrintable(nome));
        return false;
    }
    const QString esperado = QString::fromUtf8(arquivo.readAll());
    if (texto == esperado) return true;
    qWarning("%s difere da referência:\n%s", qPrintable(nome), qPrintable(texto));
    return false;
}

// Stand-ins for xdg-email and xdg-open, written into pasta (to be put first on PATH), and
// for the desktop's mail programs (programa-de-email, for xdg-email's MAILER, and
// thunderbird, for a desktop whose mail program it is). Each
// call leaves a numbered file in the folder named by ZELT_TESTE_CHAMADAS (written aside, then
// moved) with the program's name and its arguments, each ended by a NUL, and ends with the
// code in ZELT_TESTE_SAIDA (0 when unset).
inline bool EscreverSubstitutos(const QString& pasta) {
    for (const char* nome : {"xdg-email", "xdg-open", "programa-de-email", "thunderbird"}) {
        QFile script(pasta + u'/' + QLatin1String(nome));
        if (!script.open(QIODevice::WriteOnly) ||
            script.write(
                "#!/bin/sh\nd=\"$ZELT_TESTE_CHAMADAS\"; n=$(ls \"$d\" | wc -l)\n"
                "printf '%s\\0' \"$(basename \"$0\")\" \"$@\" > \"$d/.$n\" && mv \"$d/.$n\" \"$d/$n\"\n"
                "exit \"${ZELT_TESTE_SAIDA:-0}\"\n") < 0 ||
            !script.setPermissions(script.permissions() | QFileDevice::ExeOwner))
            return false;
    }
    return true;
}

// The stand-ins' calls so far, in order: each its program's name, then its arguments.
inline QList<QStringList> ChamadasDosSubstitutos(const QString& pasta) {
    QList<QStringList> chamadas;
    for (int n = 0;; ++n) {
        QFile arquivo(pasta + u'/' + QString::number(n));
        if (!arquivo.open(QIODevice::ReadOnly)) return chamadas;
        QStringList partes = QString::fromUtf8(arquivo.readAll()).split(QChar(0));
        partes.removeLast(); // after the last NUL
        chamadas << partes;
    }
}

// While it lives, no file of this process may grow past the limit: a write past it
// fails as on a full disk (EFBIG), for root too.
struct LimiteDeArquivo {
    rlimit anterior{};
    explicit LimiteDeArquivo(rlim_t bytes) {
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &anterior);
        rlimit novo = anterior;
        novo.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &novo);
    }
    ~LimiteDeArquivo() { setrlimit(RLIMIT_FSIZE, &anterior); }
};
