#include "andamento/frmPacotesDeProcedimentos.h"

#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "platform/Plataforma.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRNumberBox.h"

#include <algorithm>
#include <array>

namespace {

using ZELT_N_Orcamentos::FaixaDePeso;
using ZELT_N_Orcamentos::ItemDoPacote;

constexpr int LinhaDoPacote = 1200;
constexpr int LinhaDoItem = 2100;
constexpr int TopoDaGradeDosItens = 3050;

const std::array<modGrade::ColunaDaGrade, 8> Colunas{{
    {u"", 0, 1, 0},
    {u"De (kg)", 1300, 7, 0},
    {u"Até (kg)", 1300, 7, 0},
    {u"Tipo", 1400, 1, 1},
    {u"Código", 1200, 7, 0},
    {u"Serviço ou produto", 6500, 1, 1},
    {u"Qtde.", 1200, 7, 0},
    {u"Se necessário", 1700, 4, 1},
}};

// The species as the list offers them; index 0 is any.
const QStringList Especies{QStringLiteral("Qualquer espécie"), ZELT_N_Orcamentos::EspecieCao,
                           ZELT_N_Orcamentos::EspecieGato};

void Informar(const QString& texto, int icone = Plataforma::vbExclamation) {
    Plataforma::MsgBox(texto, icone, modPrincipal::NomeDaAplicacao);
}

// A weight or quantity as typed, up to three decimals; nothing when it is no number.
std::optional<VB::Currency> Numero(const XRNumberBox* caixa) {
    const QString texto = caixa->Text().trimmed();
    if (texto.isEmpty() || !VB::IsNumeric(texto)) return std::nullopt;
    return VB::CCurNoIntervalo(texto);
}

QString Texto(VB::Currency valor) {
    QString texto = VB::Format(QVariant::fromValue(valor), QStringLiteral("#,##0.000"));
    while (texto.endsWith(u'0'))
        texto.chop(1);
    if (texto.endsWith(u',')) texto.chop(1);
    return texto;
}

} // namespace

frmPacotesDeProcedimentos::frmPacotesDeProcedimentos(QWidget* pai)
    : frmAndamento(QStringLiteral("frmPacotesDeProcedimentos"), QStringLiteral("Pacotes de procedimentos"),
                   16500, 10200, pai) {
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDosPacotes);
    ConfigurarGrade(Colunas);
    xrcmbPacote =
        Lista(QStringLiteral("xrcmbPacote"), QStringLiteral("Pacote"), Margem, LinhaDoPacote, 5000, {});
    xrnbNome = Caixa(QStringLiteral("xrnbNome"), QStringLiteral("Nome do pacote"), 5500, LinhaDoPacote, 5400);
    xrnbNome->setMaxLength(100);
    xrcmbEspecie = Lista(QStringLiteral("xrcmbEspecie"), QStringLiteral("Espécie"), 11100, LinhaDoPacote,
                         2600, Especies);
    xrcmdNovo =
        Comando(QStringLiteral("xrcmdNovo"), QStringLiteral("Novo pacote"), 13900, LinhaDoPacote + 320, 2300);
    xrnbPesoInicial =
        Caixa(QStringLiteral("xrnbPesoInicial"), QStringLiteral("De (kg)"), Margem, LinhaDoItem, 1500);
    xrnbPesoFinal =
        Caixa(QStringLiteral("xrnbPesoFinal"), QStringLiteral("Até (kg)"), 2000, LinhaDoItem, 1500);
    xrcmbTipo = Lista(QStringLiteral("xrcmbTipo"), QStringLiteral("Tipo"), 3700, LinhaDoItem, 1800,
                      {QStringLiteral("Serviço"), QStringLiteral("Produto")});
    xrnbCodigo = Caixa(QStringLiteral("xrnbCodigo"), QStringLiteral("Código"), 5700, LinhaDoItem, 1500);
    xrnbQuantidade =
        Caixa(QStringLiteral("xrnbQuantidade"), QStringLiteral("Qtde."), 7400, LinhaDoItem, 1500);
    xrcmbSeNecessario = Lista(QStringLiteral("xrcmbSeNecessario"), QStringLiteral("Se necessário"), 9100,
                              LinhaDoItem, 1800, {QStringLiteral("Não"), QStringLiteral("Sim")});
    xrcmdIncluirItem = Comando(QStringLiteral("xrcmdIncluirItem"), QStringLiteral("Incluir item"), 11100,
                               LinhaDoItem + 320, 2300);
    xrcmdRemoverItem = Comando(QStringLiteral("xrcmdRemoverItem"), QStringLiteral("Remover item"), 13600,
                               LinhaDoItem + 320, 2600);
    xrcmdGravar = Comando(QStringLiteral("xrcmdGravar"), QStringLiteral("Gravar"), 0, 0, 1800);
    xrcmdExcluir = Comando(QStringLiteral("xrcmdExcluir"), QStringLiteral("Excluir pacote"), 0, 0, 2300);
    connect(xrcmbPacote, &XRComboBox::Click, this, &frmPacotesDeProcedimentos::xrcmbPacote_Click);
    connect(xrcmdNovo, &XRCommandButton::Click, this, &frmPacotesDeProcedimentos::xrcmdNovo_Click);
    connect(xrcmdIncluirItem, &XRCommandButton::Click, this,
            &frmPacotesDeProcedimentos::xrcmdIncluirItem_Click);
    connect(xrcmdRemoverItem, &XRCommandButton::Click, this,
            &frmPacotesDeProcedimentos::xrcmdRemoverItem_Click);
    connect(xrcmdGravar, &XRCommandButton::Click, this, &frmPacotesDeProcedimentos::xrcmdGravar_Click);
    connect(xrcmdExcluir, &XRCommandButton::Click, this, &frmPacotesDeProcedimentos::xrcmdExcluir_Click);
}

frmPacotesDeProcedimentos::~frmPacotesDeProcedimentos() = default;

XRNumberBox* frmPacotesDeProcedimentos::Caixa(const QString& nome, const QString& titulo, int left, int top,
                                              int width) {
    auto* rotulo = new Label(this, QStringLiteral("lbl") + nome.mid(4));
    rotulo->setCaption(titulo);
    rotulo->Move(left, top, width, 300);
    auto* caixa = new XRNumberBox(this, nome);
    caixa->setMaxLength(12);
    caixa->Move(left, top + 320, width, 420);
    return caixa;
}

XRComboBox* frmPacotesDeProcedimentos::Lista(const QString& nome, const QString& titulo, int left, int top,
                                             int width, const QStringList& itens) {
    auto* rotulo = new Label(this, QStringLiteral("lbl") + nome.mid(5));
    rotulo->setCaption(titulo);
    rotulo->Move(left, top, width, 300);
    auto* lista = new XRComboBox(this, nome);
    for (const QString& item : itens)
        lista->AddItem(item);
    lista->setListIndex(itens.isEmpty() ? -1 : 0);
    lista->Move(left, top + 320, width, 420);
    return lista;
}

XRCommandButton* frmPacotesDeProcedimentos::Comando(const QString& nome, const QString& legenda, int left,
                                                    int top, int width) {
    auto* comando = new XRCommandButton(this, nome);
    comando->setCaption(legenda);
    comando->Move(left, top, width, 450);
    return comando;
}

void frmPacotesDeProcedimentos::MontarExibirFormulario() {
    bool lbooExibir = false;
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        mbooAdministrador =
            modPrincipal::DadosDoUsuario && modPrincipal::DadosDoUsuario->property("Administrador").toBool();
        mobjPacotes =
            Zelt::CriarObjeto<ZELT_N_Orcamentos::clsPacotesDeProcedimentos>(ProgId::PacotesDeProcedimentos);
        mobjPacotes->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        // Anyone looks; only an administrator changes (the business layer refuses the rest).
        for (Controle* controle : std::initializer_list<Controle*>{
                 xrnbNome, xrcmbEspecie, xrcmdNovo, xrnbPesoInicial, xrnbPesoFinal, xrcmbTipo, xrnbCodigo,
                 xrnbQuantidade, xrcmbSeNecessario, xrcmdIncluirItem, xrcmdRemoverItem, xrcmdGravar,
                 xrcmdExcluir})
            controle->setEnabled(mbooAdministrador);
        Ponto = 2;
        lbooExibir = LerPacotes(0);
    });
    if (!lbooExibir) return;
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 3;
        Plataforma::ExibirModal(this);
    });
}

bool frmPacotesDeProcedimentos::LerPacotes(qint64 llonSelecionado) {
    if (VB::CBool(mobjPacotes->Selecionar())) {
        ExibirErroDoNegocio(*mobjPacotes);
        return false;
    }
    const RecordsetPtr lrstPacotes = mobjPacotes->ResultadoDaSelecaoEmRecordSet();
    xrcmbPacote->Clear();
    int lintSelecionado = 0;
    for (lrstPacotes->MoveFirst(); !lrstPacotes->Eof(); lrstPacotes->MoveNext()) {
        const qint32 llonCodigo = VB::CLng(lrstPacotes->Fields(QStringLiteral("Codigo")).Value);
        xrcmbPacote->AddItem(VB::CStr(lrstPacotes->Fields(QStringLiteral("Nome")).Value));
        xrcmbPacote->setItemData(xrcmbPacote->NewIndex(), llonCodigo);
        if (llonCodigo == llonSelecionado) lintSelecionado = xrcmbPacote->NewIndex();
    }
    if (xrcmbPacote->ListCount() == 0) {
        mpacote = {};
        ExibirPacote();
        return true;
    }
    // Setting the index raises the list's click, which reads the package.
    xrcmbPacote->setListIndex(-1);
    xrcmbPacote->setListIndex(lintSelecionado);
    return true;
}

void frmPacotesDeProcedimentos::ExibirPacote() {
    xrnbNome->setText(mpacote.Nome);
    xrcmbEspecie->setListIndex(std::max(0, static_cast<int>(Especies.indexOf(mpacote.Especie))));
    std::sort(mpacote.Faixas.begin(), mpacote.Faixas.end(),
              [](const FaixaDePeso& a, const FaixaDePeso& b) { return a.PesoInicial < b.PesoInicial; });
    QList<QStringList> linhas;
    for (const FaixaDePeso& faixa : mpacote.Faixas)
        for (const ItemDoPacote& item : faixa.Itens)
            linhas << QStringList{QString(),
                                  Texto(faixa.PesoInicial),
                                  Texto(faixa.PesoFinal),
                                  item.TipoDeLancamento == GradeDeItens::LancamentoDeServico
                                      ? QStringLiteral("Serviço")
                                      : QStringLiteral("Produto"),
                                  QString::number(item.Codigo),
                                  item.Nome,
                                  Texto(item.Quantidade),
                                  item.SeNecessario ? QStringLiteral("Sim") : QStringLiteral("Não")};
    PrepararLinhas(static_cast<int>(linhas.size()));
    for (int r = 0; r < linhas.size(); ++r)
        for (int c = 1; c < Colunas.size(); ++c)
            msfgGrade->setTextMatrix(r + 1, c, linhas.at(r).at(c));
    ExibirMensagemDeResultado(linhas.isEmpty() ? QStringLiteral("Nenhum item neste pacote.") : QString());
}

void frmPacotesDeProcedimentos::xrcmbPacote_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmbPacote_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (xrcmbPacote->ListIndex() < 0) return;
        const qint16 lintResultado = mobjPacotes->Ler(xrcmbPacote->ItemData(xrcmbPacote->ListIndex()));
        if (lintResultado == Resultado::Recusado) return Informar(mobjPacotes->DescricaoDaFalha);
        if (lintResultado != Resultado::Sucesso) return ExibirErroDoNegocio(*mobjPacotes);
        Ponto = 2;
        mpacote = mobjPacotes->Pacote;
        ExibirPacote();
    });
}

void frmPacotesDeProcedimentos::xrcmdNovo_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdNovo_Click", [&](qint16& Ponto) {
        Ponto = 1;
        xrcmbPacote->setListIndex(-1);
        mpacote = {};
        ExibirPacote();
        xrnbNome->SetFocus();
    });
}

// A row of the item's boxes into the package: into the band of those limits, made when
// the package has none; the checks of the whole wait for "Gravar".
void frmPacotesDeProcedimentos::xrcmdIncluirItem_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdIncluirItem_Click", [&](qint16& Ponto) {
        Ponto = 1;
        const auto inicio = xrnbPesoInicial->Text().trimmed().isEmpty() ? std::optional(VB::Currency())
                                                                        : Numero(xrnbPesoInicial);
        const auto fim = Numero(xrnbPesoFinal);
        const auto quantidade = Numero(xrnbQuantidade);
        bool ok = false;
        const qint64 codigo = xrnbCodigo->Text().trimmed().toLongLong(&ok);
        if (!inicio || !fim) {
            Informar(QStringLiteral("Informe os pesos da faixa em kg (por exemplo, de 0 até 4,5)."));
            return xrnbPesoFinal->SetFocus();
        }
        if (!ok || codigo <= 0) {
            Informar(QStringLiteral("Informe o código do serviço ou o código interno do produto."));
            return xrnbCodigo->SetFocus();
        }
        if (!quantidade) {
            Informar(QStringLiteral("Informe a quantidade."));
            return xrnbQuantidade->SetFocus();
        }
        Ponto = 2;
        auto faixa = std::find_if(mpacote.Faixas.begin(), mpacote.Faixas.end(), [&](const FaixaDePeso& f) {
            return f.PesoInicial == *inicio && f.PesoFinal == *fim;
        });
        if (faixa == mpacote.Faixas.end())
            faixa = mpacote.Faixas.insert(mpacote.Faixas.end(), {*inicio, *fim, {}});
        faixa->Itens.append({xrcmbTipo->ListIndex() == 1 ? GradeDeItens::LancamentoDeProduto
                                                         : GradeDeItens::LancamentoDeServico,
                             codigo,
                             *quantidade,
                             xrcmbSeNecessario->ListIndex() == 1,
                             {}});
        mpacote.Nome = xrnbNome->Text();
        mpacote.Especie = xrcmbEspecie->ListIndex() > 0 ? Especies.at(xrcmbEspecie->ListIndex()) : QString();
        ExibirPacote();
        for (XRNumberBox* caixa : {xrnbCodigo, xrnbQuantidade})
            caixa->setText(QString());
        xrnbCodigo->SetFocus();
    });
}

// The grid's selected row out of the package (its band goes with its last item).
void frmPacotesDeProcedimentos::xrcmdRemoverItem_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdRemoverItem_Click", [&](qint16& Ponto) {
        Ponto = 1;
        int linha = LinhaSelecionada();
        if (linha < 1)
            return Informar(QStringLiteral("Selecione na grade o item a remover."),
                            Plataforma::vbInformation);
        for (auto faixa = mpacote.Faixas.begin(); faixa != mpacote.Faixas.end(); ++faixa) {
            if (linha > faixa->Itens.size()) {
                linha -= static_cast<int>(faixa->Itens.size());
                continue;
            }
            faixa->Itens.removeAt(linha - 1);
            if (faixa->Itens.isEmpty()) mpacote.Faixas.erase(faixa);
            break;
        }
        mpacote.Nome = xrnbNome->Text();
        ExibirPacote();
    });
}

void frmPacotesDeProcedimentos::xrcmdGravar_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdGravar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        mpacote.Nome = xrnbNome->Text();
        mpacote.Especie = xrcmbEspecie->ListIndex() > 0 ? Especies.at(xrcmbEspecie->ListIndex()) : QString();
        mobjPacotes->Pacote = mpacote;
        const qint16 lintResultado = mobjPacotes->Gravar();
        Ponto = 2;
        if (lintResultado == Resultado::Rejeitado || lintResultado == Resultado::Recusado)
            return Informar(mobjPacotes->DescricaoDaFalha);
        if (lintResultado != Resultado::Sucesso) return ExibirErroDoNegocio(*mobjPacotes);
        Informar(QStringLiteral("O pacote %1 foi gravado.").arg(mpacote.Nome.trimmed()),
                 Plataforma::vbInformation);
        Ponto = 3;
        LerPacotes(static_cast<qint64>(mobjPacotes->CodigoGerado));
    });
}

void frmPacotesDeProcedimentos::xrcmdExcluir_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdExcluir_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (mpacote.Codigo == 0) return xrcmdNovo_Click();
        if (Plataforma::MsgBox(QStringLiteral("Excluir o pacote %1?").arg(mpacote.Nome),
                               Plataforma::vbYesNo + Plataforma::vbQuestion,
                               modPrincipal::NomeDaAplicacao) != Plataforma::vbYes)
            return;
        Ponto = 2;
        const qint16 lintResultado = mobjPacotes->Excluir(mpacote.Codigo);
        if (lintResultado == Resultado::Recusado) return Informar(mobjPacotes->DescricaoDaFalha);
        if (lintResultado != Resultado::Sucesso) return ExibirErroDoNegocio(*mobjPacotes);
        LerPacotes(0);
    });
}

void frmPacotesDeProcedimentos::Form_Resize() {
    frmAndamento::Form_Resize();
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        Ponto = 5;
        // The grid below the package's and the item's rows.
        msfgGrade->Move(Margem, TopoDaGradeDosItens, msfgGrade->Width(),
                        std::max(600, xrcmdFechar->Top() - 150 - TopoDaGradeDosItens));
        xrcmdGravar->Move(xrcmdFechar->Left() - 150 - xrcmdGravar->Width(), xrcmdFechar->Top());
        xrcmdExcluir->Move(xrcmdGravar->Left() - 150 - xrcmdExcluir->Width(), xrcmdFechar->Top());
    });
}
