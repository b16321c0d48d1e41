#pragma once
// Shape: VB's shape control, a figure drawn over its container that never takes the
// mouse or the focus (clicks go through to what lies under it).
//
// Shape: 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded
// square. BorderStyle: 0 none, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot,
// 6 inside solid. FillStyle: 0 solid, 1 transparent, 2 to 7 hatches. BackStyle:
// 0 transparent, 1 opaque (BackColor inside the figure, under the fill).
//
// Event rules: none.

#include "platform/controls/Controle.h"

class Shape : public Controle {
    Q_OBJECT
    Q_PROPERTY(int Shape READ ShapeKind WRITE setShape)
    Q_PROPERTY(int BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(int FillColor READ FillColor WRITE setFillColor)
    Q_PROPERTY(int FillStyle READ FillStyle WRITE setFillStyle)
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int BackStyle READ BackStyle WRITE setBackStyle)

public:
    explicit Shape(QWidget* pai = nullptr, const QString& nome = QString());

    int ShapeKind() const { return mintShape; }
    void setShape(int valor);
    int BorderColor() const { return mlonBorderColor; }
    void setBorderColor(int cor);
    int BorderWidth() const { return mintBorderWidth; }
    void setBorderWidth(int valor);
    int BorderStyle() const { return mintBorderStyle; }
    void setBorderStyle(int valor);
    int FillColor() const { return mlonFillColor; }
    void setFillColor(int cor);
    int FillStyle() const { return mintFillStyle; }
    void setFillStyle(int valor);
    int BackColor() const { return mlonBackColor; }
    void setBackColor(int cor);
    int BackStyle() const { return mintBackStyle; }
    void setBackStyle(int valor);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    int mintShape = 0;
    int mlonBorderColor = 0xC0C0C0;
    int mintBorderWidth = 1;
    int mintBorderStyle = 1;
    int mlonFillColor = 0;
    int mintFillStyle = 1;
    int mlonBackColor = 0xFFFFFF;
    int mintBackStyle = 0;
};
