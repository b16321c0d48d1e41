#include "host/Sonda.h"

#include "platform/controls/Controle.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRComboBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMetaProperty>
#include <QWidget>
#include <cstdio>

namespace {

QJsonObject Retangulo(const QWidget* widget, QRect area) {
    const QPoint origem = widget->mapToGlobal(area.topLeft());
    return {{QStringLiteral("x"), origem.x()},
            {QStringLiteral("y"), origem.y()},
            {QStringLiteral("largura"), area.width()},
            {QStringLiteral("altura"), area.height()}};
}

// The windows a name is looked for in, in the order a person sees them.
QList<QWidget*> JanelasEmOrdem() {
    QList<QWidget*> janelas;
    for (QWidget* janela : {QApplication::activeModalWidget(), QApplication::activeWindow()})
        if (janela && !janelas.contains(janela)) janelas << janela;
    for (QWidget* janela : QApplication::topLevelWidgets())
        if (janela->isVisible() && !janelas.contains(janela)) janelas << janela;
    return janelas;
}

// The first visible widget of that name: the root itself or a descendant, breadth first.
QWidget* Procurar(QWidget* raiz, const QString& nome) {
    QList<QWidget*> fila{raiz};
    while (!fila.isEmpty()) {
        QWidget* widget = fila.takeFirst();
        if (widget->objectName() == nome && widget->isVisible()) return widget;
        for (QObject* filho : widget->children())
            if (auto* w = qobject_cast<QWidget*>(filho)) fila << w;
    }
    return nullptr;
}

QWidget* ProcurarCaminho(const QString& caminho) {
    const QStringList nomes = caminho.split(u'/', Qt::SkipEmptyParts);
    if (nomes.isEmpty()) return nullptr;
    for (QWidget* janela : JanelasEmOrdem()) {
        QWidget* atual = Procurar(janela, nomes.first());
        for (qsizetype i = 1; atual && i < nomes.size(); ++i)
            atual = Procurar(atual, nomes.at(i));
        if (atual) return atual;
    }
    return nullptr;
}

// The properties the widget's own classes declare above QWidget's (a control's Text,
// Caption, ListIndex..., a message box's text), as far as JSON holds them.
QJsonObject Propriedades(const QObject* objeto) {
    QJsonObject propriedades;
    const QMetaObject* meta = objeto->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty propriedade = meta->property(i);
        try {
            const QJsonValue valor = QJsonValue::fromVariant(propriedade.read(objeto));
            if (!valor.isNull() && !valor.isUndefined())
                propriedades.insert(QLatin1String(propriedade.name()), valor);
        } catch (...) {
            // A getter that raises a run-time error (a grid's current cell outside it)
            // has nothing to show.
        }
    }
    return propriedades;
}

QJsonArray Celulas(const MSFlexGrid* grade) {
    QJsonArray linhas;
    for (int row = 0; row < grade->Rows(); ++row) {
        QJsonArray linha;
        for (int col = 0; col < grade->Cols(); ++col)
            linha << grade->TextMatrix(row, col);
        linhas << linha;
    }
    return linhas;
}

QJsonArray Entradas(const XRComboBox* lista) {
    QJsonArray entradas;
    for (int i = 0; i < lista->ListCount(); ++i)
        entradas << lista->List(i);
    return entradas;
}

QString NomeDoControle(QWidget* widget) {
    if (!widget) return {};
    if (Controle* controle = Controle::DonoDe(widget)) return controle->objectName();
    return widget->objectName();
}

// What the buttons of a dialog's button boxes read (a message box's, a file or print
// dialog's), without their mnemonics' "&", in the boxes' order.
QJsonArray Botoes(const QWidget* janela) {
    QJsonArray textos;
    for (const QDialogButtonBox* caixa : janela->findChildren<QDialogButtonBox*>())
        for (const QAbstractButton* botao : caixa->buttons())
            if (botao->isVisibleTo(janela)) textos << QString(botao->text()).remove(u'&');
    return textos;
}

QJsonObject Janelas() {
    QJsonArray janelas;
    for (QWidget* janela : QApplication::topLevelWidgets()) {
        if (!janela->isVisible()) continue;
        QJsonObject descricao = Retangulo(janela, janela->rect());
        descricao.insert(QStringLiteral("nome"), janela->objectName());
        descricao.insert(QStringLiteral("classe"), QLatin1String(janela->metaObject()->className()));
        descricao.insert(QStringLiteral("titulo"), janela->windowTitle());
        descricao.insert(QStringLiteral("propriedades"), Propriedades(janela));
        descricao.insert(QStringLiteral("botoes"), Botoes(janela));
        janelas << descricao;
    }
    QWidget* foco = QApplication::focusWidget();
    auto nome = [](QWidget* w) { return w ? w->objectName() : QString(); };
    return {{QStringLiteral("janelas"), janelas},
            {QStringLiteral("ativa"), nome(QApplication::activeWindow())},
            {QStringLiteral("classeDaAtiva"),
             QApplication::activeWindow()
                 ? QLatin1String(QApplication::activeWindow()->metaObject()->className())
                 : QLatin1String("")},
            {QStringLiteral("modal"), nome(QApplication::activeModalWidget())},
            {QStringLiteral("foco"), NomeDoControle(foco)},
            {QStringLiteral("janelaDoFoco"), foco ? nome(foco->window()) : QString()}};
}

QJsonObject DescreverControle(const QString& caminho) {
    QWidget* widget = ProcurarCaminho(caminho);
    if (!widget) return {{QStringLiteral("existe"), false}};
    QJsonObject descricao = Retangulo(widget, widget->rect());
    QWidget* foco = QApplication::focusWidget();
    descricao.insert(QStringLiteral("existe"), true);
    descricao.insert(QStringLiteral("classe"), QLatin1String(widget->metaObject()->className()));
    descricao.insert(QStringLiteral("habilitado"), widget->isEnabled());
    descricao.insert(QStringLiteral("foco"), foco && (foco == widget || widget->isAncestorOf(foco)));
    descricao.insert(QStringLiteral("propriedades"), Propriedades(widget));
    if (auto* grade = qobject_cast<MSFlexGrid*>(widget))
        descricao.insert(QStringLiteral("celulas"), Celulas(grade));
    if (auto* lista = qobject_cast<XRComboBox*>(widget))
        descricao.insert(QStringLiteral("entradas"), Entradas(lista));
    return descricao;
}

QJsonObject DescreverCelula(const QString& caminho, int row, int col) {
    auto* grade = qobject_cast<MSFlexGrid*>(ProcurarCaminho(caminho));
    const QRect area = grade ? grade->RetanguloDaCelula(row, col) : QRect();
    if (area.isEmpty()) return {{QStringLiteral("existe"), false}};
    QJsonObject descricao = Retangulo(grade, area);
    descricao.insert(QStringLiteral("existe"), true);
    return descricao;
}

} // namespace

void Sonda::IniciarSePedida(QObject* pai) {
    const QString caminho = qEnvironmentVariable("ZELT_SONDA");
    if (!caminho.isEmpty()) new Sonda(caminho, pai);
}

Sonda::Sonda(const QString& caminhoDoSocket, QObject* pai) : QObject(pai), mservidor(new QLocalServer(this)) {
    QLocalServer::removeServer(caminhoDoSocket);
    if (!mservidor->listen(caminhoDoSocket))
        std::fprintf(stderr, "ZELT_SONDA: %s\n", qPrintable(mservidor->errorString()));
    connect(mservidor, &QLocalServer::newConnection, this, &Sonda::NovaConexao);
}

void Sonda::NovaConexao() {
    while (QLocalSocket* conexao = mservidor->nextPendingConnection()) {
        connect(conexao, &QLocalSocket::disconnected, conexao, &QObject::deleteLater);
        connect(conexao, &QLocalSocket::readyRead, this, [this, conexao] {
            while (conexao->canReadLine())
                conexao->write(Responder(QString::fromUtf8(conexao->readLine()).trimmed()) + '\n');
        });
    }
}

QByteArray Sonda::Responder(const QString& pedido) const {
    const QStringList partes = pedido.split(u' ');
    const QString comando = partes.value(0);
    QJsonObject resposta;
    if (comando == QStringLiteral("janelas"))
        resposta = Janelas();
    else if (comando == QStringLiteral("controle") && partes.size() == 2)
        resposta = DescreverControle(partes.at(1));
    else if (comando == QStringLiteral("celula") && partes.size() == 4)
        resposta = DescreverCelula(partes.at(1), partes.at(2).toInt(), partes.at(3).toInt());
    else
        resposta.insert(QStringLiteral("erro"), QString(QStringLiteral("pedido desconhecido: ") + pedido));
    return QJsonDocument(resposta).toJson(QJsonDocument::Compact);
}
