#pragma once
// PictureBox: VB's picture box, a container that paints its background, its
// Picture at the top left and, with BorderStyle 1, a thin frame. The forms use it as
// the waiting panel over a grid.
//
// Event rules: Click when the person clicks it; setting any property raises nothing.

#include "platform/controls/Controle.h"

#include <QPixmap>

class PictureBox : public Controle {
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)

public:
    explicit PictureBox(QWidget* pai = nullptr, const QString& nome = QString());

    QPixmap Picture() const { return mpixPicture; }
    void setPicture(const QPixmap& imagem);
    int BackColor() const { return mlonBackColor; }
    void setBackColor(int cor);
    // 0 none, 1 fixed single.
    int BorderStyle() const { return mintBorderStyle; }
    void setBorderStyle(int valor);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    QPixmap mpixPicture;
    int mlonBackColor = 0xFFFFFF;
    int mintBorderStyle = 0;
};
