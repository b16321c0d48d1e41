#pragma once
// XRComboBox: the suite's drop-down list (entries only, no typing), with VB's list
// members: AddItem, RemoveItem, Clear, List, ListCount, ListIndex (-1 none),
// NewIndex, ItemData (a Long per entry) and Text (the selected entry's text, "" with
// no selection; read only).
//
// Event rules (synchronous, as VB's combo box raises them):
// - Setting ListIndex to an entry (0 or more) raises Click, also when that entry was
//   already selected.
// - Setting ListIndex to -1 raises Click only when an entry was selected (the
//   selection really goes away); -1 over no selection raises nothing.
// - The person picking an entry in the list raises Click, also for the entry that
//   was already selected.
// - AddItem, RemoveItem, Clear and ItemData raise nothing (Clear leaves ListIndex -1).
// - CliqueDaPessoa tells, during Click, a person's pick from a setter's Click.
// ItemData(-1), the data of "no selection", is 0, as for an entry without data: a
// form that reads the selected entry's data without checking for a selection (the
// service code search) searches as for data 0 instead of failing with an error the
// person could not act on.
// Errors: ListIndex outside -1 .. ListCount - 1 is run-time error 380; ItemData of any
// other index that is not an entry, List or RemoveItem of one, is run-time error 381.

#include "platform/controls/Controle.h"

class QComboBox;

class XRComboBox : public Controle {
    Q_OBJECT
    Q_PROPERTY(int ListIndex READ ListIndex WRITE setListIndex)
    Q_PROPERTY(int ListCount READ ListCount)
    Q_PROPERTY(int NewIndex READ NewIndex)
    Q_PROPERTY(QString Text READ Text)

public:
    explicit XRComboBox(QWidget* pai = nullptr, const QString& nome = QString());

    // Adds an entry at the end, or before the entry Index; NewIndex becomes its index.
    Q_INVOKABLE void AddItem(const QString& Item, int Index = -1);
    Q_INVOKABLE void RemoveItem(int Index);
    Q_INVOKABLE void Clear();
    Q_INVOKABLE QString List(int Index) const;
    Q_INVOKABLE int ItemData(int Index) const;
    Q_INVOKABLE void setItemData(int Index, int Valor);

    int ListIndex() const;
    void setListIndex(int Index);
    int ListCount() const;
    int NewIndex() const { return mintNewIndex; }
    QString Text() const;

    QComboBox* Caixa() const { return mobjCaixa; }
    // True while the Click being raised comes from the person's pick, not from code.
    bool CliqueDaPessoa() const { return mbooCliqueDaPessoa; }
    QSize sizeHint() const override;

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    void VerificarIndice(int Index) const;

    QComboBox* mobjCaixa;
    QWidget* mobjIndicador;
    int mintNewIndex = -1;
    bool mbooCliqueDaPessoa = false;
};
