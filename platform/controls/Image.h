#pragma once
// Image: VB's image control, a picture without a background of its own; Stretch
// fits the picture to the control, otherwise the control shows it at its own size.
// The lists keep their situation labels in images and copy Picture into grid cells.
//
// Event rules: Click when the person clicks it; setting any property raises nothing.

#include "platform/controls/Controle.h"

#include <QPixmap>

class Image : public Controle {
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)

public:
    explicit Image(QWidget* pai = nullptr, const QString& nome = QString());

    QPixmap Picture() const { return mpixPicture; }
    void setPicture(const QPixmap& imagem);
    bool Stretch() const { return mbooStretch; }
    void setStretch(bool valor);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    QPixmap mpixPicture;
    bool mbooStretch = false;
};
