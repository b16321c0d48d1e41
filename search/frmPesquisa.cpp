#include "search/frmPesquisa.h"

#include "component/modArredondarCantosDoObjeto.h"
#include "component/modFuncoes.h"
#include "component/modGrade.h"
#include "component/modMensagemDeErro.h"
#include "component/modPainelDeEspera.h"
#include "component/modPrincipal.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/Shape.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRTheme.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace {

// The design size: the visible columns of every dialog (13,420 twips) and the grid's
// scroll bar fit the grid, and the grid shows nine rows.
constexpr int LarguraDoFormulario = 14520;
constexpr int AlturaDoFormulario = 8400;

// The dialogs' rows are shaded darker than the forms' grids.
constexpr int CorDaLinhaImpar = 0xD9D9D9;
constexpr int CorDaLinhaPar = 0xF2F2F2;

} // namespace

frmPesquisa::frmPesquisa(const QString& nome, const QString& titulo, const QString& textoDeEspera,
                         std::span<const ColunaDaGrade> colunas, QWidget* parent)
    : QDialog(parent), mcolunas(colunas) {
    setObjectName(nome);
    setWindowTitle(titulo);
    setAutoFillBackground(true);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, Qt::white);
    setPalette(paleta);
    setFont(Aparencia::Fonte(10));
    // The dialog may grow (the grid follows) but not shrink below its design.
    setMinimumSize(Twips::ParaPixels(LarguraDoFormulario), Twips::ParaPixels(AlturaDoFormulario));
    resize(minimumSize());

    xrTheme = new XRTheme(this, QStringLiteral("xrTheme"));
    xrTheme->setCaption(titulo);
    xrTheme->Move(0, 0, LarguraDoFormulario, 900);

    msfgGrade = new MSFlexGrid(this, QStringLiteral("msfgGrade"));
    msfgGrade->Move(390, 1725, LarguraDoFormulario - 780, AlturaDoFormulario - 2700);

    xrcmdFechar = new XRCommandButton(this, QStringLiteral("xrcmdFechar"));
    xrcmdFechar->setCaption(QStringLiteral("Fechar"));
    xrcmdFechar->Move(LarguraDoFormulario - 390 - 1500 - 240, AlturaDoFormulario - 625, 1500, 450);

    picMensagem = new PictureBox(this, QStringLiteral("picMensagem"));
    picMensagem->Move(0, 0, 6000, 1200);
    picMensagem->setPicture(ImagemDoPainelDeEspera(6000, 1200, textoDeEspera));
    picMensagem->setVisible(false);

    connect(msfgGrade, &MSFlexGrid::Click, this, &frmPesquisa::msfgGrade_Click);
    connect(xrcmdFechar, &XRCommandButton::Click, this, &frmPesquisa::xrcmdFechar_Click);
}

frmPesquisa::~frmPesquisa() = default;

void frmPesquisa::Carregar() {
    if (mbooCarregado) return;
    mbooCarregado = true;
    Form_Load();
}

MSFlexGrid* frmPesquisa::Grade() const {
    // Reaching a control loads the dialog, as in VB; loading is not a change the
    // caller of a const member sees.
    const_cast<frmPesquisa*>(this)->Carregar();
    return msfgGrade;
}

void frmPesquisa::setVisible(bool visible) {
    if (visible) Carregar();
    QDialog::setVisible(visible);
}

void frmPesquisa::keyPressEvent(QKeyEvent* evento) {
    const bool enter = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
    if (enter && msfgGrade->hasFocus()) {
        msfgGrade_Click();
        return;
    }
    // Enter anywhere else belongs to the find box (its search), never to the dialog.
    if (enter) return;
    QDialog::keyPressEvent(evento);
}

void frmPesquisa::reject() {
    Form_Unload();
    QDialog::reject();
}

void frmPesquisa::Form_Load() {
    ComTratamentoDeErro(Nome(), u"Form_Load", [&](qint16& Ponto) {
        Ponto = 1;
        AdicionarMolduraNoWindows8();
        Ponto = 2;
        DefinirDicaDoFechar();
    });
}

// Where the suite draws its panels square, a frame around the client area instead.
void frmPesquisa::AdicionarMolduraNoWindows8() {
    if (!SistemaEhWindows8()) return;
    auto* lshpObj = new Shape(this, QStringLiteral("lshpObj"));
    lshpObj->setVisible(true);
    lshpObj->Move(0, 0, Twips::DePixels(width()), Twips::DePixels(height()));
}

void frmPesquisa::DefinirDicaDoFechar() {
    xrcmdFechar->setToolTipType(0);
    xrcmdFechar->setToolTipText(QStringLiteral("Cancelar a pesquisa e fechar"));
}

void frmPesquisa::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!evento->spontaneous()) Form_Activate();
}

void frmPesquisa::Form_Activate() {
    mbooRegistroSelecionado = false;
}

void frmPesquisa::Form_Unload() {
    mbooRegistroSelecionado = false;
}

void frmPesquisa::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    // The header band keeps to the top edge across the whole width, as an aligned
    // control does.
    xrTheme->setWidth(Twips::DePixels(width()));
    Form_Resize();
}

void frmPesquisa::Form_Resize() {
    ComTratamentoDeErro(Nome(), u"Form_Resize", [&](qint16& Ponto) {
        const int ScaleTop = 0;
        const int ScaleLeft = 0;
        const int ScaleWidth = Twips::DePixels(width());
        const int ScaleHeight = Twips::DePixels(height());
        Ponto = 1;
        msfgGrade->setVisible(false);
        xrcmdFechar->setVisible(false);
        Ponto = 2;
        msfgGrade->setTop(ScaleTop + 1725);
        msfgGrade->setLeft(ScaleLeft + 390);
        msfgGrade->setWidth(ScaleWidth - 2 * msfgGrade->Left());
        msfgGrade->setHeight(ScaleHeight - 2700);
        Ponto = 3;
        xrcmdFechar->setLeft((msfgGrade->Left() + msfgGrade->Width() + 10) - (xrcmdFechar->Width() + 250));
        xrcmdFechar->setTop(msfgGrade->Height() + msfgGrade->Top() + 350);
        Ponto = 4;
        msfgGrade->setVisible(true);
        xrcmdFechar->setVisible(true);
        mbooIgnorarProximoEvento = false;
        Ponto = 5;
        ConcluirRedimensionamento();
        Ponto = 6;
        CaixaDePesquisa()->SetFocus();
    });
}

void frmPesquisa::CentralizarpicMensagem() {
    Carregar();
    CentralizarPainel(this, picMensagem);
}

void frmPesquisa::ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem) {
    Carregar();
    if (!isVisible()) return;
    if (lbooExibirOcultarpicMensagem)
        ExibirPainelDeEspera(this, picMensagem, [this] { CentralizarpicMensagem(); });
    else
        OcultarPainelDeEspera(this, picMensagem);
}

qint16 frmPesquisa::ConfigurarGrade() {
    Carregar();
    qint16 ConfigurarGrade = 1;
    ComTratamentoDeErro(Nome(), u"ConfigurarGrade", [&](qint16& Ponto) {
        Ponto = 1;
        msfgGrade->setVisible(false);
        msfgGrade->setRedraw(false);
        msfgGrade->Clear();
        Ponto = 2;
        // The dialogs' selection is the shade of an even row.
        modGrade::AplicarAparencia(msfgGrade, 0xF5F5F6, 2, CorDaLinhaPar);
        // A pick is a whole row, shown selected also while the grid has no focus.
        msfgGrade->setSelectionMode(1);
        msfgGrade->setHighLight(1);
        Ponto = 3;
        modGrade::DefinirColunas(msfgGrade, mcolunas, 0xF2F2F2);
        Ponto = 5;
        msfgGrade->setRedraw(true);
        msfgGrade->setVisible(true);
        ConfigurarGrade = 0;
    });
    return ConfigurarGrade;
}

qint16 frmPesquisa::PreencherGrade(const RecordsetPtr& lrstResultado) {
    Carregar();
    qint16 PreencherGrade = 1;
    const int lintColunas = static_cast<int>(mcolunas.size());
    const bool lbooConcluido = ComTratamentoDeErro(Nome(), u"PreencherGrade", [&](qint16& Ponto) {
        Ponto = 1;
        msfgGrade->setRedraw(false);
        msfgGrade->setRows(lrstResultado->RecordCount() + 1);
        if (msfgGrade->Rows() > 1) msfgGrade->setFixedRows(1);
        msfgGrade->setRowHeight(0, 300);
        Ponto = 2;
        lrstResultado->MoveFirst();
        for (int r = 1; !lrstResultado->Eof(); ++r) {
            Ponto = 3;
            msfgGrade->setRowHeight(r, 570);
            modGrade::EstilizarLinha(msfgGrade, r, CorDaLinhaImpar, CorDaLinhaPar);
            Ponto = 4;
            for (int c = 1; c < lintColunas; ++c)
                msfgGrade->setTextMatrix(
                    r, c, VB::CStr(lrstResultado->Fields(QString::fromUtf16(mcolunas[c].Campo)).Value));
            Ponto = 5;
            lrstResultado->MoveNext();
        }
        Ponto = 6;
        msfgGrade->setRedraw(true);
        PreencherGrade = 0;
    });
    // The rows written before a failure stay, and are shown.
    if (!lbooConcluido) msfgGrade->setRedraw(true);
    return PreencherGrade;
}

void frmPesquisa::msfgGrade_Click() {
    ComTratamentoDeErro(Nome(), u"msfgGrade_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (msfgGrade->Row() == 0) return;
        Ponto = 2;
        if (ValidarCampos() == 1) return;
        Ponto = 3;
        mbooRegistroSelecionado = true;
        hide();
    });
}

// The product and service dialogs ask ValidarCampos here too; theirs never refuses,
// and the client dialog's must not refuse a close.
void frmPesquisa::xrcmdFechar_Click() {
    ComTratamentoDeErro(Nome(), u"xrcmdFechar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        mbooRegistroSelecionado = false;
        Ponto = 2;
        hide();
    });
}

void frmPesquisa::CliqueDaCaixaDePesquisa(QStringView procedimento) {
    ComTratamentoDeErro(Nome(), procedimento, [&](qint16& Ponto) {
        Ponto = 1;
        ConfigurarGrade();
        Ponto = 2;
        if (mbooIgnorarProximoEvento) {
            mbooIgnorarProximoEvento = false;
            return;
        }
        Ponto = 3;
        if (!PodePesquisar()) return;
        Ponto = 4;
        if (!Pesquisar()) {
            Ponto = 5;
            // A run-time error inside the search may have left the dialog disabled
            // under its panel.
            if (picMensagem->Visible()) ExibirOcultarpicMensagem(false);
            CaixaDePesquisa()->PrepararNovaPesquisa();
        } else if (msfgGrade->Rows() > 2) {
            Ponto = 6;
            CaixaDePesquisa()->SetFocus();
        }
    });
}

bool frmPesquisa::ConcluirPesquisa(std::unique_ptr<ObjetoDeNegocio> lobjNegocio, const QVariant& lvarResposta,
                                   const QString& lstrNadaEncontrado, qint16& Ponto) {
    Ponto = 4;
    if (VB::CLng(lvarResposta) != 0) {
        Ponto = 5;
        ExibirOcultarpicMensagem(false);
        ExibirErroDoNegocio(*lobjNegocio);
        return false;
    }
    Ponto = 6;
    ExibirOcultarpicMensagem(false);
    RecordsetPtr lrstResultado = lobjNegocio->ResultadoDaSelecaoEmRecordSet();
    lobjNegocio.reset();
    Ponto = 7;
    const qint32 llonQuantidade = lrstResultado->RecordCount();
    if (llonQuantidade == 0) {
        Ponto = 8;
        Plataforma::MsgBox(lstrNadaEncontrado, Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
        Ponto = 9;
        Plataforma::SendKeys(QStringLiteral("+({HOME})"));
        return false;
    }
    Ponto = 10;
    PreencherGrade(lrstResultado);
    if (llonQuantidade == 1 && !mbooFormularioDeConsultaDePreco) {
        Ponto = 11;
        msfgGrade_Click();
    }
    Ponto = 12;
    lrstResultado.reset();
    ExibirOcultarpicMensagem(false);
    return true;
}
