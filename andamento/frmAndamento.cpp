#include "andamento/frmAndamento.h"

#include "component/modMensagemDeErro.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRCommandButton.h"

#include <algorithm>

frmAndamento::frmAndamento(const QString& lstrNome, const QString& lstrTitulo, int llonLargura,
                           int llonAltura, QWidget* pai)
    : QDialog(pai), mstrNome(lstrNome) {
    PrepararJanela(*this, lstrNome, lstrTitulo, llonLargura, llonAltura);

    lblTitulo = new Label(this, QStringLiteral("lblTitulo"));
    lblTitulo->setCaption(lstrTitulo);
    lblTitulo->setFont(Aparencia::Fonte(20));
    lblTitulo->Move(Margem, 350, 9000, 600);

    lblMensagemDeResultado = new Label(this, QStringLiteral("lblMensagemDeResultado"));
    lblMensagemDeResultado->setFont(Aparencia::Fonte(12));
    lblMensagemDeResultado->Move(Margem, TopoDosComandos + 600, 9000, 400);
    lblMensagemDeResultado->setVisible(false);

    msfgGrade = new MSFlexGrid(this, QStringLiteral("msfgGrade"));

    xrcmdFechar = new XRCommandButton(this, QStringLiteral("xrcmdFechar"));
    xrcmdFechar->setCaption(QStringLiteral("    Fechar"));
    xrcmdFechar->setIcone(QStringLiteral("Fechar"));
    xrcmdFechar->Move(0, 0, 1800, 450);
    connect(xrcmdFechar, &XRCommandButton::Click, this, &frmAndamento::xrcmdFechar_Click);
}

frmAndamento::~frmAndamento() = default;

void frmAndamento::PrepararJanela(QDialog& janela, const QString& lstrNome, const QString& lstrTitulo,
                                  int llonLargura, int llonAltura) {
    janela.setObjectName(lstrNome);
    janela.setWindowTitle(lstrTitulo);
    janela.setAutoFillBackground(true);
    QPalette paleta = janela.palette();
    paleta.setColor(QPalette::Window, Qt::white);
    janela.setPalette(paleta);
    janela.setFont(Aparencia::Fonte(10));
    janela.resize(Twips::ParaPixels(llonLargura), Twips::ParaPixels(llonAltura));
}

void frmAndamento::xrcmdFechar_Click() {
    reject();
}

void frmAndamento::ConfigurarGrade(std::span<const modGrade::ColunaDaGrade> colunas) {
    modGrade::AplicarAparencia(msfgGrade, 0xF5F5F6, 2);
    modGrade::DefinirColunas(msfgGrade, colunas, 0xFFFFFF);
    // A row is chosen whole, and stays marked while the commands act on it.
    msfgGrade->setSelectionMode(1);
    msfgGrade->setHighLight(1);
    msfgGrade->setRedraw(true);
    msfgGrade->setVisible(true);
}

void frmAndamento::PrepararLinhas(int llonLinhas) {
    msfgGrade->setRedraw(false);
    msfgGrade->setRows(llonLinhas + 1);
    if (msfgGrade->Rows() >= 2) msfgGrade->setFixedRows(1);
    msfgGrade->setRowHeight(0, 700);
    for (int r = 1; r <= llonLinhas; ++r) {
        msfgGrade->setRowHeight(r, 570);
        modGrade::EstilizarLinha(msfgGrade, r);
    }
}

int frmAndamento::LinhaSelecionada() const {
    if (msfgGrade->isHidden() || msfgGrade->Rows() < 2) return 0;
    const int linha = msfgGrade->Row();
    return linha >= 1 && linha < msfgGrade->Rows() ? linha : 0;
}

void frmAndamento::ExibirMensagemDeResultado(const QString& lstrMensagem) {
    lblMensagemDeResultado->setCaption(lstrMensagem);
    lblMensagemDeResultado->setVisible(!lstrMensagem.isEmpty());
    msfgGrade->setVisible(lstrMensagem.isEmpty());
}

QString frmAndamento::TextoDoCampo(const Recordset& registro, const char16_t* campo) {
    const QVariant valor = registro.Fields(QString::fromUtf16(campo)).Value;
    return VB::IsNull(valor) ? QString() : VB::CStr(valor);
}

QString frmAndamento::DinheiroDoCampo(const Recordset& registro, const char16_t* campo) {
    return VB::Format(registro.Fields(QString::fromUtf16(campo)).Value, QStringLiteral("#,##0.00"));
}

void frmAndamento::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    Form_Resize();
}

void frmAndamento::Form_Resize() {
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        const int ScaleWidth = Twips::DePixels(width());
        const int ScaleHeight = Twips::DePixels(height());
        Ponto = 1;
        lblTitulo->Move(Margem, 350);
        Ponto = 2;
        xrcmdFechar->Move(ScaleWidth - Margem - xrcmdFechar->Width(), ScaleHeight - 750);
        Ponto = 3;
        lblMensagemDeResultado->Move(Margem, TopoDosComandos + 600);
        Ponto = 4;
        msfgGrade->Move(Margem, TopoDaGrade, ScaleWidth - 2 * Margem,
                        std::max(xrcmdFechar->Top() - 150 - TopoDaGrade, 700));
    });
}
