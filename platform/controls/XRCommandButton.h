#pragma once
// XRCommandButton: the suite's command button. A caption, an optional icon on its
// left, colours of its own or of the theme, and a tool tip that is either plain
// (ToolTipType 0: the ToolTipText of the extender) or a balloon (ToolTipType 1: bold
// ToolTipTitle over ToolTipDescription).
//
// Event rules:
// - Click: the person releases the mouse button over the button after pressing it
//   there, or presses Space or Enter while it holds the focus. A disabled button
//   raises nothing. Setting any property from code raises nothing.
//
// Captions keep their leading blanks (the forms write "    Adicionar" to leave room
// for the icon); when an icon is shown the blanks are not drawn, the icon takes
// their place.

#include "platform/controls/Controle.h"

#include <QPixmap>

class XRCommandButton : public Controle {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QString Icone READ Icone WRITE setIcone)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int HighlightColor READ HighlightColor WRITE setHighlightColor)
    Q_PROPERTY(int FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(int FontHighlightColor READ FontHighlightColor WRITE setFontHighlightColor)
    Q_PROPERTY(bool UseCustomColors READ UseCustomColors WRITE setUseCustomColors)
    Q_PROPERTY(QString ToolTipTitle READ ToolTipTitle WRITE setToolTipTitle)
    Q_PROPERTY(QString ToolTipDescription READ ToolTipDescription WRITE setToolTipDescription)
    Q_PROPERTY(int ToolTipIcon READ ToolTipIcon WRITE setToolTipIcon)
    Q_PROPERTY(int ToolTipType READ ToolTipType WRITE setToolTipType)
    Q_PROPERTY(int TTForeColor READ TTForeColor WRITE setTTForeColor)

public:
    explicit XRCommandButton(QWidget* pai = nullptr, const QString& nome = QString());

    QString Caption() const { return mstrCaption; }
    void setCaption(const QString& texto);
    // Name of an icon of Icones, drawn in the caption's colour ("" none).
    QString Icone() const { return mstrIcone; }
    void setIcone(const QString& nome);
    // A picture of the form's own, drawn as it is (takes the place of Icone).
    QPixmap Picture() const { return mpixPicture; }
    void setPicture(const QPixmap& imagem);

    int BackColor() const { return mlonBackColor; }
    void setBackColor(int cor);
    int HighlightColor() const { return mlonHighlightColor; }
    void setHighlightColor(int cor);
    int FontColor() const { return mlonFontColor; }
    void setFontColor(int cor);
    int FontHighlightColor() const { return mlonFontHighlightColor; }
    void setFontHighlightColor(int cor);
    bool UseCustomColors() const { return mbooUseCustomColors; }
    void setUseCustomColors(bool valor);

    QString ToolTipTitle() const { return mstrToolTipTitle; }
    void setToolTipTitle(const QString& texto);
    QString ToolTipDescription() const { return mstrToolTipDescription; }
    void setToolTipDescription(const QString& texto);
    // 0 none, 1 information, 2 warning, 3 error: the balloon's title carries the sign.
    int ToolTipIcon() const { return mintToolTipIcon; }
    void setToolTipIcon(int valor);
    int ToolTipType() const { return mintToolTipType; }
    void setToolTipType(int valor);
    int TTForeColor() const { return mlonTTForeColor; }
    void setTTForeColor(int cor);

    QSize sizeHint() const override;

signals:
    void Click();

protected:
    QString TextoDaDica() const override;
    void paintEvent(QPaintEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void enterEvent(QEnterEvent* evento) override;
    void leaveEvent(QEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    QColor CorDoFundo() const;
    QColor CorDaLegenda() const;

    QString mstrCaption;
    QString mstrIcone;
    QPixmap mpixPicture;
    int mlonBackColor = 0xFFFFFF;
    int mlonHighlightColor = 0xF6F4EC;
    int mlonFontColor = 4802889;
    int mlonFontHighlightColor = 0x8C7A1F;
    bool mbooUseCustomColors = false;
    QString mstrToolTipTitle;
    QString mstrToolTipDescription;
    int mintToolTipIcon = 0;
    int mintToolTipType = 0;
    int mlonTTForeColor = 0;
    bool mbooSobre = false;
    bool mbooPressionado = false;
};
