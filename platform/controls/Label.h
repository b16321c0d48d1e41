#pragma once
// Label: VB's label. Text drawn from the top left (or right/centre by Alignment),
// grey RGB(73, 73, 73) by default, on a transparent background unless BackStyle 1.
//
// Event rules: Click when the person clicks it; setting any property raises nothing.

#include "platform/controls/Controle.h"

class Label : public Controle {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int BackStyle READ BackStyle WRITE setBackStyle)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)

public:
    explicit Label(QWidget* pai = nullptr, const QString& nome = QString());

    QString Caption() const { return mstrCaption; }
    void setCaption(const QString& texto);
    int ForeColor() const { return mlonForeColor; }
    void setForeColor(int cor);
    int BackColor() const { return mlonBackColor; }
    void setBackColor(int cor);
    // 0 transparent, 1 opaque (BackColor).
    int BackStyle() const { return mintBackStyle; }
    void setBackStyle(int valor);
    // 0 left, 1 right, 2 centre.
    int Alignment() const { return mintAlignment; }
    void setAlignment(int valor);
    bool AutoSize() const { return mbooAutoSize; }
    void setAutoSize(bool valor);
    bool WordWrap() const { return mbooWordWrap; }
    void setWordWrap(bool valor);

    QSize sizeHint() const override;

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    void AjustarTamanho();

    QString mstrCaption;
    int mlonForeColor = 4802889;
    int mlonBackColor = 0xFFFFFF;
    int mintBackStyle = 0;
    int mintAlignment = 0;
    bool mbooAutoSize = false;
    bool mbooWordWrap = false;
};
