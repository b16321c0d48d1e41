#include "platform/controls/Icones.h"

#include "platform/controls/Aparencia.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <functional>
#include <map>

namespace Icones {

namespace {

using Desenho = std::function<void(QPainter&)>;

// Each icon is drawn on a 16 x 16 grid; the painter is scaled to the size asked.
void Linha(QPainter& p, qreal x1, qreal y1, qreal x2, qreal y2) {
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void Chevron(QPainter& p, qreal xPonta, qreal direcao) {
    p.drawPolyline(
        QPolygonF({QPointF(xPonta - 4 * direcao, 4), QPointF(xPonta, 8), QPointF(xPonta - 4 * direcao, 12)}));
}

const std::map<QString, Desenho>& Desenhos() {
    static const std::map<QString, Desenho> desenhos = {
        {QStringLiteral("Adicionar"),
         [](QPainter& p) {
             Linha(p, 8, 3, 8, 13);
             Linha(p, 3, 8, 13, 8);
         }},
        {QStringLiteral("Remover"), [](QPainter& p) { Linha(p, 3, 8, 13, 8); }},
        {QStringLiteral("Alterar"),
         [](QPainter& p) {
             p.drawPolygon(QPolygonF({QPointF(2.5, 13.5), QPointF(3.3, 10.3), QPointF(10.8, 2.8),
                                      QPointF(13.2, 5.2), QPointF(5.7, 12.7)}));
             Linha(p, 9.2, 4.4, 11.6, 6.8);
         }},
        {QStringLiteral("Excluir"),
         [](QPainter& p) {
             Linha(p, 2.5, 4.5, 13.5, 4.5);
             p.drawPolyline(
                 QPolygonF({QPointF(6.3, 4.5), QPointF(6.3, 2.6), QPointF(9.7, 2.6), QPointF(9.7, 4.5)}));
             p.drawPolyline(
                 QPolygonF({QPointF(4.2, 4.5), QPointF(5, 13.5), QPointF(11, 13.5), QPointF(11.8, 4.5)}));
             Linha(p, 7, 7, 7, 11.3);
             Linha(p, 9, 7, 9, 11.3);
         }},
        {QStringLiteral("Imprimir"),
         [](QPainter& p) {
             p.drawRect(QRectF(5, 2.5, 6, 3.5));
             p.drawRoundedRect(QRectF(2.5, 6, 11, 5.5), 1.2, 1.2);
             p.save();
             p.setBrush(Qt::white);
             p.drawRect(QRectF(5, 9.5, 6, 4));
             p.restore();
         }},
        {QStringLiteral("Pesquisar"),
         [](QPainter& p) {
             p.drawEllipse(QPointF(7, 7), 4.2, 4.2);
             QPen pen = p.pen();
             pen.setWidthF(pen.widthF() * 1.4);
             p.setPen(pen);
             Linha(p, 10.2, 10.2, 13.5, 13.5);
         }},
        {QStringLiteral("Limpar"),
         [](QPainter& p) {
             Linha(p, 4.5, 4.5, 11.5, 11.5);
             Linha(p, 11.5, 4.5, 4.5, 11.5);
         }},
        {QStringLiteral("Fechar"),
         [](QPainter& p) {
             Linha(p, 4, 4, 12, 12);
             Linha(p, 12, 4, 4, 12);
         }},
        {QStringLiteral("Salvar"),
         [](QPainter& p) {
             p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4.5)}));
         }},
        {QStringLiteral("Cancelar"),
         [](QPainter& p) {
             p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
             Linha(p, 6, 6, 10, 10);
             Linha(p, 10, 6, 6, 10);
         }},
        {QStringLiteral("Aguarde"),
         [](QPainter& p) {
             p.drawEllipse(QPointF(8, 8), 5.8, 5.8);
             Linha(p, 8, 8, 8, 4.5);
             Linha(p, 8, 8, 10.6, 9.6);
         }},
        {QStringLiteral("Email"),
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(2, 4, 12, 8.5), 1, 1);
             p.drawPolyline(QPolygonF({QPointF(2.5, 4.8), QPointF(8, 9), QPointF(13.5, 4.8)}));
         }},
        {QStringLiteral("Conversa"),
         [](QPainter& p) {
             p.drawPolygon(
                 QPolygonF({QPointF(2.5, 3), QPointF(13.5, 3), QPointF(13.5, 10.5), QPointF(7, 10.5),
                            QPointF(4, 13.5), QPointF(4.5, 10.5), QPointF(2.5, 10.5)}));
             Linha(p, 5, 6, 11, 6);
             Linha(p, 5, 8, 9, 8);
         }},
        {QStringLiteral("Calendario"),
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(2.5, 3.5, 11, 10), 1.2, 1.2);
             Linha(p, 2.5, 6.5, 13.5, 6.5);
             Linha(p, 5.5, 2, 5.5, 4.5);
             Linha(p, 10.5, 2, 10.5, 4.5);
         }},
        {QStringLiteral("Primeiro"),
         [](QPainter& p) {
             Linha(p, 4.5, 4, 4.5, 12);
             Chevron(p, 7.5, -1);
         }},
        {QStringLiteral("Anterior"), [](QPainter& p) { Chevron(p, 6, -1); }},
        {QStringLiteral("Abaixo"),
         [](QPainter& p) {
             p.drawPolyline(QPolygonF({QPointF(4, 6), QPointF(8, 10), QPointF(12, 6)}));
         }},
        {QStringLiteral("Proximo"), [](QPainter& p) { Chevron(p, 10, 1); }},
        {QStringLiteral("Ultimo"),
         [](QPainter& p) {
             Chevron(p, 8.5, 1);
             Linha(p, 11.5, 4, 11.5, 12);
         }},
    };
    return desenhos;
}

QPixmap Etiqueta(const QString& texto, int altura, const QColor& fundo, const QColor& cor) {
    QFont fonte = Aparencia::Fonte(8, true);
    fonte.setPixelSize(qMax(8, altura * 11 / 20));
    const int largura = QFontMetrics(fonte).horizontalAdvance(texto) + altura;
    QPixmap imagem(largura, altura);
    imagem.fill(Qt::transparent);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(fundo);
    p.drawRoundedRect(QRectF(0.5, 0.5, largura - 1, altura - 1), altura / 2.0, altura / 2.0);
    p.setPen(cor);
    p.setFont(fonte);
    p.drawText(QRect(0, 0, largura, altura), Qt::AlignCenter, texto);
    return imagem;
}

} // namespace

QPixmap Icone(const QString& nome, int tamanho, const QColor& cor) {
    if (tamanho <= 0) return QPixmap();
    if (nome == QLatin1String("EtiquetaAtivo"))
        return Etiqueta(QStringLiteral("Ativo"), tamanho, QColor(0xE2, 0xF4, 0xE8), QColor(0x1E, 0x7A, 0x44));
    if (nome == QLatin1String("EtiquetaInativo"))
        return Etiqueta(QStringLiteral("Inativo"), tamanho, QColor(0xFB, 0xE9, 0xE7),
                        QColor(0xB2, 0x3B, 0x2E));
    const auto& desenhos = Desenhos();
    const auto it = desenhos.find(nome);
    if (it == desenhos.end()) return QPixmap();
    QPixmap imagem(tamanho, tamanho);
    imagem.fill(Qt::transparent);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(tamanho / 16.0, tamanho / 16.0);
    p.setPen(QPen(cor, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    it->second(p);
    return imagem;
}

QStringList Nomes() {
    QStringList nomes;
    for (const auto& [nome, desenho] : Desenhos())
        nomes << nome;
    nomes << QStringLiteral("EtiquetaAtivo") << QStringLiteral("EtiquetaInativo");
    return nomes;
}

} // namespace Icones
