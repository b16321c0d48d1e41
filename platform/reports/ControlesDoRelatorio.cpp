#include "platform/reports/ControlesDoRelatorio.h"

#include "contracts/VB.h"

namespace {

int NaoNegativo(int valor) {
    if (valor < 0) throw VB::ErroDeExecucao(380);
    return valor;
}

int UmDe(int valor, std::initializer_list<int> aceitos) {
    for (int aceito : aceitos)
        if (valor == aceito) return valor;
    throw VB::ErroDeExecucao(380);
}

} // namespace

RptControl::RptControl(QObject* secao, const QString& nome, const QRect& area) : QObject(secao) {
    setObjectName(nome);
    setLeft(area.left());
    setTop(area.top());
    setWidth(area.width());
    setHeight(area.height());
}

void RptControl::setLeft(int twips) {
    mrecArea.moveLeft(NaoNegativo(twips));
}

void RptControl::setTop(int twips) {
    mrecArea.moveTop(NaoNegativo(twips));
}

void RptControl::setWidth(int twips) {
    mrecArea.setWidth(NaoNegativo(twips));
}

void RptControl::setHeight(int twips) {
    mrecArea.setHeight(NaoNegativo(twips));
}

QString RptControl::Caption() const {
    throw VB::ErroDeExecucao(438);
}

void RptControl::setCaption(const QString&) {
    throw VB::ErroDeExecucao(438);
}

QString RptControl::DataField() const {
    throw VB::ErroDeExecucao(438);
}

void RptControl::setDataField(const QString&) {
    throw VB::ErroDeExecucao(438);
}

void RptControleDeTexto::setFontName(const QString& nome) {
    if (nome.trimmed().isEmpty()) throw VB::ErroDeExecucao(380);
    mstrFontName = nome;
}

void RptControleDeTexto::setFontSize(qreal pontos) {
    if (!(pontos > 0 && pontos <= 200)) throw VB::ErroDeExecucao(380);
    mdouFontSize = pontos;
}

void RptControleDeTexto::setAlignment(int valor) {
    mintAlignment = UmDe(valor, {rptJustifyLeft, rptJustifyRight, rptJustifyCenter});
}

namespace {

// A pattern VB's Format does not know is refused when it is set, not when a page is drawn.
void VerificarFormato(const QString& formato) {
    if (formato.isEmpty()) return;
    try {
        VB::Format(QDate(2000, 1, 1), formato);
    } catch (const VB::ErroDeExecucao& erro) {
        if (erro.Numero() != 13) throw VB::ErroDeExecucao(380); // 13: a number pattern, given a date
    }
}

} // namespace

void RptTextBox::setDataFormat(const QString& formato) {
    VerificarFormato(formato);
    mstrDataFormat = formato;
}

void RptTextBox::setFormatoConforme(const QString& campo, const QHash<QString, QString>& formatos) {
    for (const QString& formato : formatos)
        VerificarFormato(formato);
    mstrCampoDoFormato = campo;
    mformatos = campo.isEmpty() ? QHash<QString, QString>() : formatos;
}

void RptLine::setBorderWidth(int pixels) {
    if (pixels < 1) throw VB::ErroDeExecucao(380);
    mintBorderWidth = pixels;
}

void RptShape::setShape(int valor) {
    mintShape = UmDe(valor, {rptShpRectangle, rptShpRoundedRectangle});
}

void RptShape::setBackStyle(int valor) {
    mintBackStyle = UmDe(valor, {0, 1});
}

void RptShape::setBorderStyle(int valor) {
    mintBorderStyle = UmDe(valor, {0, 1});
}

Section::Section(QObject* relatorio, const QString& nome, Tipo tipo, int altura)
    : QObject(relatorio), mtipo(tipo), mintHeight(NaoNegativo(altura)) {
    setObjectName(nome);
}

void Section::setHeight(int twips) {
    mintHeight = NaoNegativo(twips);
}

void Section::VerificarNomeNovo(const QString& nome) const {
    const QList<Section*> secoes = parent() ? parent()->findChildren<Section*>(Qt::FindDirectChildrenOnly)
                                            : QList<Section*>{const_cast<Section*>(this)};
    for (const Section* secao : secoes)
        for (const RptControl* controle : secao->mcontroles)
            if (controle->objectName().compare(nome, Qt::CaseInsensitive) == 0)
                throw VB::ErroDeExecucao(380, QStringLiteral("O relatório já tem um controle chamado \"") +
                                                  nome + QStringLiteral("\"."));
}

RptControl* Section::Controls(const QString& nome) const {
    for (RptControl* controle : mcontroles)
        if (controle->objectName().compare(nome, Qt::CaseInsensitive) == 0) return controle;
    throw VB::ErroDeExecucao(
        9, QStringLiteral("A seção \"%1\" não tem o controle \"%2\".").arg(objectName(), nome));
}
