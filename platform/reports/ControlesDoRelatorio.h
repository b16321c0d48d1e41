#pragma once
// What a data report's design is made of: sections (page header, detail, page footer)
// and the controls they hold, as VB's data-report designer gave them: RptLabel (a
// fixed Caption; in a caption the design itself holds, "%d" prints the issue date,
// "%p" the page number, "%P" the page count), RptTextBox (the value of its DataField
// in the data source, written with its DataFormat, or in the value's default text form
// when that is empty), RptLine and RptShape. Control names are unique in a report
// (letter case ignored), so that a name reaches one control only. Positions and sizes are in twips from the
// top left of the section; fonts in points; colours are VB colours (0x00BBGGRR).
//
// Every control answers Caption and DataField through its base class, as late
// binding did: asking a control for a member its kind does not have is error 438.
// An invalid value (a negative size, an unknown alignment) is error 380 and changes
// nothing.
//
// A text wider than its box is cut at the right with "…". Rows keep one fixed height,
// so which rows a page holds is known without laying out the pages before it (a list
// of a million quotes opens at its first page, and any page is reached directly);
// columns never run into each other; and smaller type would make a row unreadable.

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

class RptControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ objectName)
    Q_PROPERTY(int Left READ Left WRITE setLeft)
    Q_PROPERTY(int Top READ Top WRITE setTop)
    Q_PROPERTY(int Width READ Width WRITE setWidth)
    Q_PROPERTY(int Height READ Height WRITE setHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)

public:
    RptControl(QObject* secao, const QString& nome, const QRect& area);

    int Left() const { return mrecArea.left(); }
    int Top() const { return mrecArea.top(); }
    int Width() const { return mrecArea.width(); }
    int Height() const { return mrecArea.height(); }
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    QRect Area() const { return mrecArea; }
    bool Visible() const { return mbooVisible; }
    void setVisible(bool valor) { mbooVisible = valor; }

    // Labels have a Caption and text boxes a DataField; other kinds raise error 438.
    virtual QString Caption() const;
    virtual void setCaption(const QString& texto);
    virtual QString DataField() const;
    virtual void setDataField(const QString& campo);

private:
    QRect mrecArea;
    bool mbooVisible = true;
};

// What labels and text boxes share: the font, the text colour and the alignment.
class RptControleDeTexto : public RptControl {
    Q_OBJECT
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName)
    Q_PROPERTY(qreal FontSize READ FontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold)
    Q_PROPERTY(bool FontItalic READ FontItalic WRITE setFontItalic)
    Q_PROPERTY(int ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment)

public:
    using RptControl::RptControl;

    // 0 left, 1 right, 2 centre (VB's rptJustifyLeft, rptJustifyRight, rptJustifyCenter).
    enum : int { rptJustifyLeft = 0, rptJustifyRight = 1, rptJustifyCenter = 2 };

    QString FontName() const { return mstrFontName; }
    void setFontName(const QString& nome);
    qreal FontSize() const { return mdouFontSize; }
    void setFontSize(qreal pontos);
    bool FontBold() const { return mbooFontBold; }
    void setFontBold(bool valor) { mbooFontBold = valor; }
    bool FontItalic() const { return mbooFontItalic; }
    void setFontItalic(bool valor) { mbooFontItalic = valor; }
    int ForeColor() const { return mlonForeColor; }
    void setForeColor(int cor) { mlonForeColor = cor; }
    int Alignment() const { return mintAlignment; }
    void setAlignment(int valor);

private:
    QString mstrFontName = QStringLiteral("Arial");
    qreal mdouFontSize = 8;
    bool mbooFontBold = false;
    bool mbooFontItalic = false;
    int mlonForeColor = 0;
    int mintAlignment = rptJustifyLeft;
};

class RptLabel : public RptControleDeTexto {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    using RptControleDeTexto::RptControleDeTexto;
    QString Caption() const override { return mstrCaption; }
    // A caption set by the code that fills the report (a client's name, a number) is
    // data: it prints exactly as given, "%" and all.
    void setCaption(const QString& texto) override {
        mstrCaption = texto;
        mbooComCodigos = false;
    }
    // A caption of the design itself ("Emissão: %d", "Página: %p de %P"): its codes
    // print the issue date, the page and the page count.
    void setCaptionDoDesenho(const QString& texto) {
        mstrCaption = texto;
        mbooComCodigos = true;
    }
    bool CaptionComCodigos() const { return mbooComCodigos; }

private:
    QString mstrCaption;
    bool mbooComCodigos = false;
};

class RptTextBox : public RptControleDeTexto {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE setDataField)
    Q_PROPERTY(QString DataFormat READ DataFormat WRITE setDataFormat)

public:
    using RptControleDeTexto::RptControleDeTexto;
    QString DataField() const override { return mstrDataField; }
    void setDataField(const QString& campo) override { mstrDataField = campo; }
    // A pattern of VB's Format ("#,##0.00", "dd/mm/yyyy"); empty for the default text form.
    QString DataFormat() const { return mstrDataFormat; }
    void setDataFormat(const QString& formato);
    // A pattern chosen by another field of the same row: a row whose field campo holds,
    // in its default text form, one of the keys of formatos is written with that key's
    // pattern; other rows with DataFormat (a sheet's quantities: whole numbers for
    // services, three decimals for products). Patterns are checked as DataFormat's.
    void setFormatoConforme(const QString& campo, const QHash<QString, QString>& formatos);
    QString CampoDoFormato() const { return mstrCampoDoFormato; }
    // The pattern for a row whose field CampoDoFormato holds valorDoCampo.
    QString FormatoDaLinha(const QString& valorDoCampo) const {
        return mformatos.value(valorDoCampo, mstrDataFormat);
    }

private:
    QString mstrDataField;
    QString mstrDataFormat;
    QString mstrCampoDoFormato;
    QHash<QString, QString> mformatos;
};

// A straight line from the top left to the bottom right of its area (a height of 0
// draws a horizontal line, a width of 0 a vertical one).
// A picture drawn at the control's place, scaled to it (a chart made by the form that
// prints it).
class RptImage : public RptControl {
    Q_OBJECT

public:
    using RptControl::RptControl;
    const QImage& Picture() const { return mimgPicture; }
    void setPicture(const QImage& imagem) { mimgPicture = imagem; }

private:
    QImage mimgPicture;
};

class RptLine : public RptControl {
    Q_OBJECT
    Q_PROPERTY(int BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)

public:
    using RptControl::RptControl;
    int BorderColor() const { return mlonBorderColor; }
    void setBorderColor(int cor) { mlonBorderColor = cor; }
    // In pixels of a 96-dpi screen (15 twips each), as VB counts it; at least 1.
    int BorderWidth() const { return mintBorderWidth; }
    void setBorderWidth(int pixels);

private:
    int mlonBorderColor = 0;
    int mintBorderWidth = 1;
};

// A rectangle (Shape 0) or rounded rectangle (Shape 4), filled with BackColor when
// BackStyle is 1, framed in BorderColor when BorderStyle is 1.
class RptShape : public RptControl {
    Q_OBJECT
    Q_PROPERTY(int Shape READ Shape WRITE setShape)
    Q_PROPERTY(int BackStyle READ BackStyle WRITE setBackStyle)
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(int BorderColor READ BorderColor WRITE setBorderColor)

public:
    using RptControl::RptControl;
    enum : int { rptShpRectangle = 0, rptShpRoundedRectangle = 4 };

    int Shape() const { return mintShape; }
    void setShape(int valor);
    int BackStyle() const { return mintBackStyle; }
    void setBackStyle(int valor);
    int BackColor() const { return mlonBackColor; }
    void setBackColor(int cor) { mlonBackColor = cor; }
    int BorderStyle() const { return mintBorderStyle; }
    void setBorderStyle(int valor);
    int BorderColor() const { return mlonBorderColor; }
    void setBorderColor(int cor) { mlonBorderColor = cor; }

private:
    int mintShape = rptShpRectangle;
    int mintBackStyle = 0;
    int mlonBackColor = 0xFFFFFF;
    int mintBorderStyle = 1;
    int mlonBorderColor = 0;
};

// A band of the report: the page header and the page footer print on every page, the
// detail once for each row of the data source.
class Section : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ objectName)
    Q_PROPERTY(int Height READ Height WRITE setHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)

public:
    enum class Tipo { CabecalhoDePagina, Detalhes, RodapeDePagina };

    Section(QObject* relatorio, const QString& nome, Tipo tipo, int altura);

    Tipo TipoDaSecao() const { return mtipo; }
    int Height() const { return mintHeight; }
    void setHeight(int twips);
    bool Visible() const { return mbooVisible; }
    void setVisible(bool valor) { mbooVisible = valor; }
    // The height the section takes on the page: none when it is hidden.
    int AlturaImpressa() const { return mbooVisible ? mintHeight : 0; }

    // The control of that name (letter case ignored); error 9 when there is none.
    Q_INVOKABLE RptControl* Controls(const QString& nome) const;
    const QList<RptControl*>& ListaDeControles() const { return mcontroles; }

    // Adds a control of kind T to the design, drawn after the ones added before it; a
    // name another control of the report already has is error 380.
    template <class T> T* Adicionar(const QString& nome, int left, int top, int width, int height) {
        VerificarNomeNovo(nome);
        auto* controle = new T(this, nome, QRect(left, top, width, height));
        mcontroles.append(controle);
        return controle;
    }

private:
    void VerificarNomeNovo(const QString& nome) const;

    Tipo mtipo;
    int mintHeight;
    bool mbooVisible = true;
    QList<RptControl*> mcontroles;
};
