#include "host/JanelasDoHistorico.h"

#include "contracts/CriarObjeto.h"
#include "entry/FichaDaVersao.h"
#include "platform/Plataforma.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

using ZELT_N_Orcamentos::clsHistorico;

namespace {

QPushButton* Botao(QWidget* pai, const QString& nome, const QString& texto) {
    auto* botao = new QPushButton(texto, pai);
    botao->setObjectName(nome);
    botao->setAutoDefault(false);
    return botao;
}

QTableWidget* Grade(QWidget* pai, const QString& nome, const QStringList& titulos) {
    auto* grade = new QTableWidget(0, static_cast<int>(titulos.size()), pai);
    grade->setObjectName(nome);
    grade->setHorizontalHeaderLabels(titulos);
    grade->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade->setSelectionMode(QAbstractItemView::SingleSelection);
    grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade->setAlternatingRowColors(true);
    grade->verticalHeader()->hide();
    grade->horizontalHeader()->setStretchLastSection(true);
    return grade;
}

QString Texto(const Recordset& registro, const char* campo) {
    const QVariant valor = registro.Fields(QString::fromLatin1(campo)).Value;
    return VB::IsNull(valor) ? QString() : VB::CStr(valor);
}

QString Dinheiro(const Recordset& registro, const char* campo) {
    return VB::Format(registro.Fields(QString::fromLatin1(campo)).Value, QStringLiteral("#,##0.00"));
}

// Appends a row of texts; the first cell keeps the row's key.
void AdicionarLinha(QTableWidget* grade, const QVariant& chave, const QStringList& textos,
                    const QList<int>& aDireita) {
    const int linha = grade->rowCount();
    grade->insertRow(linha);
    for (int coluna = 0; coluna < textos.size(); ++coluna) {
        auto* celula = new QTableWidgetItem(textos.at(coluna));
        if (aDireita.contains(coluna)) celula->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grade->setItem(linha, coluna, celula);
    }
    grade->item(linha, 0)->setData(Qt::UserRole, chave);
}

void ExibirFalha(const ObjetoDeNegocio& objeto, const QString& nomeDaAplicacao) {
    Plataforma::MsgBox(objeto.DescricaoDoErro + QStringLiteral("\r\n\r\n") + objeto.LocalDoErro,
                       Plataforma::vbCritical, nomeDaAplicacao);
}

} // namespace

// ---- JanelaDosExcluidos

const QString JanelaDosExcluidos::DicaDeSomenteAdministrador =
    QStringLiteral("Somente um administrador pode restaurar um orçamento excluído.");

JanelaDosExcluidos::JanelaDosExcluidos(QObject* dadosDoUsuario, const QString& nomeDaAplicacao, QWidget* pai)
    : QDialog(pai), mobjDadosDoUsuario(dadosDoUsuario), mstrNomeDaAplicacao(nomeDaAplicacao),
      mbooAdministrador(dadosDoUsuario && dadosDoUsuario->property("Administrador").toBool()),
      mobjHistorico(Zelt::CriarObjeto<clsHistorico>(ProgId::Historico)) {
    setObjectName(QStringLiteral("frmOrcamentosExcluidos"));
    setWindowTitle(QStringLiteral("Orçamentos excluídos"));
    resize(900, 560);
    mobjHistorico->DadosDoUsuario = dadosDoUsuario;

    txtPesquisa = new QLineEdit(this);
    txtPesquisa->setObjectName(QStringLiteral("txtPesquisa"));
    txtPesquisa->setPlaceholderText(QStringLiteral("Número, código ou nome do cliente"));
    cmdPesquisar = Botao(this, QStringLiteral("cmdPesquisar"), QStringLiteral("Pesquisar"));
    grdExcluidos =
        Grade(this, QStringLiteral("grdExcluidos"),
              {QStringLiteral("Número"), QStringLiteral("Cliente"), QStringLiteral("Valor líquido"),
               QStringLiteral("Excluído em"), QStringLiteral("Excluído por")});
    grdExcluidos->setColumnWidth(1, 320);
    grdExcluidos->setColumnWidth(3, 150);
    cmdPrimeiraPagina = Botao(this, QStringLiteral("cmdPrimeiraPagina"), QStringLiteral("<<"));
    cmdPaginaAnterior = Botao(this, QStringLiteral("cmdPaginaAnterior"), QStringLiteral("<"));
    lblPagina = new QLabel(this);
    lblPagina->setObjectName(QStringLiteral("lblPagina"));
    cmdProximaPagina = Botao(this, QStringLiteral("cmdProximaPagina"), QStringLiteral(">"));
    cmdUltimaPagina = Botao(this, QStringLiteral("cmdUltimaPagina"), QStringLiteral(">>"));
    cmdRestaurar = Botao(this, QStringLiteral("cmdRestaurar"), QStringLiteral("Restaurar"));
    cmdFechar = Botao(this, QStringLiteral("cmdFechar"), QStringLiteral("Fechar"));

    auto* pesquisa = new QHBoxLayout;
    pesquisa->addWidget(txtPesquisa, 1);
    pesquisa->addWidget(cmdPesquisar);
    auto* comandos = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cmdPrimeiraPagina), static_cast<QWidget*>(cmdPaginaAnterior),
                       static_cast<QWidget*>(lblPagina), static_cast<QWidget*>(cmdProximaPagina),
                       static_cast<QWidget*>(cmdUltimaPagina)})
        comandos->addWidget(w);
    comandos->addStretch(1);
    comandos->addWidget(cmdRestaurar);
    comandos->addWidget(cmdFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pesquisa);
    layout->addWidget(grdExcluidos, 1);
    layout->addLayout(comandos);

    connect(cmdPesquisar, &QPushButton::clicked, this, &JanelaDosExcluidos::cmdPesquisar_Click);
    connect(txtPesquisa, &QLineEdit::returnPressed, this, &JanelaDosExcluidos::cmdPesquisar_Click);
    connect(cmdPrimeiraPagina, &QPushButton::clicked, this, &JanelaDosExcluidos::cmdPrimeiraPagina_Click);
    connect(cmdPaginaAnterior, &QPushButton::clicked, this, &JanelaDosExcluidos::cmdPaginaAnterior_Click);
    connect(cmdProximaPagina, &QPushButton::clicked, this, &JanelaDosExcluidos::cmdProximaPagina_Click);
    connect(cmdUltimaPagina, &QPushButton::clicked, this, &JanelaDosExcluidos::cmdUltimaPagina_Click);
    connect(cmdRestaurar, &QPushButton::clicked, this, &JanelaDosExcluidos::cmdRestaurar_Click);
    connect(cmdFechar, &QPushButton::clicked, this, &QDialog::reject);
    connect(grdExcluidos, &QTableWidget::itemSelectionChanged, this, &JanelaDosExcluidos::AtualizarComandos);

    Selecionar();
}

JanelaDosExcluidos::~JanelaDosExcluidos() = default;

void JanelaDosExcluidos::cmdPesquisar_Click() {
    Selecionar();
}

void JanelaDosExcluidos::cmdUltimaPagina_Click() {
    if (mobjHistorico->ResultadoDaSelecaoEmRecordSet()->RecordCount() > 0)
        MostrarPagina(mobjHistorico->ResultadoDaSelecaoEmRecordSet()->PageCount());
}

// A new selection with the find box's text, shown from its first page. A failed one
// is told and the page shown before stays.
void JanelaDosExcluidos::Selecionar() {
    qint16 tamanho = TamanhoDaPagina;
    if (VB::CBool(mobjHistorico->SelecionarExcluidos(tamanho, txtPesquisa->text()))) {
        ExibirFalha(*mobjHistorico, mstrNomeDaAplicacao);
        return;
    }
    MostrarPagina(1);
}

// Reads only that page's rows (the selection is read lazily, a page at a time).
void JanelaDosExcluidos::MostrarPagina(qint32 pagina) {
    const RecordsetPtr excluidos = mobjHistorico->ResultadoDaSelecaoEmRecordSet();
    const qint32 paginas = std::max(excluidos->PageCount(), 1);
    mlonPagina = std::clamp(pagina, 1, paginas);
    grdExcluidos->setRowCount(0);
    if (excluidos->RecordCount() > 0) {
        try {
            excluidos->SetAbsolutePage(mlonPagina);
            for (qint32 linha = 0; linha < excluidos->PageSize() && !excluidos->Eof(); ++linha) {
                const Recordset& r = *excluidos;
                AdicionarLinha(grdExcluidos, r.Fields(QStringLiteral("NumeroDoOrcamento")).Value,
                               {Texto(r, "NumeroDoOrcamento"),
                                Texto(r, "CodigoDoCliente") + QStringLiteral(" - ") +
                                    Texto(r, "ApelidoOuNomeFantasiaDoCliente") + QStringLiteral(" (") +
                                    Texto(r, "NomeOuRazaoSocialDoCliente") + u')',
                                Dinheiro(r, "ValorLiquido"), Texto(r, "DataEHoraDaExclusao"),
                                Texto(r, "UsuarioDaExclusao")},
                               {0, 2});
                excluidos->MoveNext();
            }
        } catch (const VB::ErroDeExecucao& erro) {
            // Rows restored elsewhere after the count: the page shows what is left.
            if (erro.Numero() != VB::SemRegistroAtual)
                Plataforma::MsgBox(erro.Descricao(), Plataforma::vbCritical, mstrNomeDaAplicacao);
        }
    }
    lblPagina->setText(QStringLiteral("Página %1 de %2 (%3 orçamentos)")
                           .arg(QString::number(mlonPagina), QString::number(paginas),
                                QString::number(excluidos->RecordCount())));
    if (grdExcluidos->rowCount() > 0) grdExcluidos->selectRow(0);
    AtualizarComandos();
}

void JanelaDosExcluidos::AtualizarComandos() {
    const qint32 paginas = std::max(mobjHistorico->ResultadoDaSelecaoEmRecordSet()->PageCount(), 1);
    cmdPrimeiraPagina->setEnabled(mlonPagina > 1);
    cmdPaginaAnterior->setEnabled(mlonPagina > 1);
    cmdProximaPagina->setEnabled(mlonPagina < paginas);
    cmdUltimaPagina->setEnabled(mlonPagina < paginas);
    cmdRestaurar->setEnabled(mbooAdministrador && NumeroSelecionado() > 0);
    cmdRestaurar->setToolTip(mbooAdministrador ? QStringLiteral("Restaura o orçamento selecionado, com seus "
                                                                "itens e valores, como ativo.")
                                               : DicaDeSomenteAdministrador);
}

double JanelaDosExcluidos::NumeroSelecionado() const {
    const QList<QTableWidgetItem*> selecionados = grdExcluidos->selectedItems();
    if (selecionados.isEmpty()) return 0;
    return grdExcluidos->item(selecionados.constFirst()->row(), 0)->data(Qt::UserRole).toDouble();
}

void JanelaDosExcluidos::cmdRestaurar_Click() {
    const double numero = NumeroSelecionado();
    if (numero <= 0 || !mbooAdministrador) return;
    if (Plataforma::MsgBox(QStringLiteral("Restaurar o orçamento %1?").arg(VB::CStr(numero)),
                           Plataforma::vbYesNo | Plataforma::vbQuestion,
                           mstrNomeDaAplicacao) != Plataforma::vbYes)
        return;
    const qint32 pagina = mlonPagina;
    switch (mobjHistorico->Restaurar(numero)) {
    case 0:
        Plataforma::MsgBox(QStringLiteral("O orçamento %1 foi restaurado.").arg(VB::CStr(numero)),
                           Plataforma::vbInformation, mstrNomeDaAplicacao);
        emit OrcamentoRestaurado(numero);
        break;
    case 3:
        Plataforma::MsgBox(mobjHistorico->DescricaoDaFalha, Plataforma::vbCritical, mstrNomeDaAplicacao);
        break;
    default:
        ExibirFalha(*mobjHistorico, mstrNomeDaAplicacao);
        return;
    }
    // Restored here or elsewhere: it leaves the list, which stays on its page.
    qint16 tamanho = TamanhoDaPagina;
    if (VB::CBool(mobjHistorico->SelecionarExcluidos(tamanho, txtPesquisa->text())))
        ExibirFalha(*mobjHistorico, mstrNomeDaAplicacao);
    else
        MostrarPagina(pagina);
}

// ---- JanelaDoHistorico

JanelaDoHistorico::JanelaDoHistorico(QObject* dadosDoUsuario, const QString& nomeDaAplicacao,
                                     double ldouNumeroDoOrcamento, QWidget* pai)
    : QDialog(pai), mstrNomeDaAplicacao(nomeDaAplicacao),
      mobjHistorico(Zelt::CriarObjeto<clsHistorico>(ProgId::Historico)) {
    setObjectName(QStringLiteral("frmHistoricoDoOrcamento"));
    setWindowTitle(QStringLiteral("Histórico do orçamento"));
    resize(760, 460);
    mobjHistorico->DadosDoUsuario = dadosDoUsuario;

    auto* rotulo = new QLabel(QStringLiteral("Orçamento no.:"), this);
    txtNumeroDoOrcamento = new QLineEdit(this);
    txtNumeroDoOrcamento->setObjectName(QStringLiteral("txtNumeroDoOrcamento"));
    txtNumeroDoOrcamento->setMaxLength(15);
    cmdMostrar = Botao(this, QStringLiteral("cmdMostrar"), QStringLiteral("Mostrar"));
    lblOrcamento = new QLabel(this);
    lblOrcamento->setObjectName(QStringLiteral("lblOrcamento"));
    grdHistorico =
        Grade(this, QStringLiteral("grdHistorico"),
              {QStringLiteral("Data e hora"), QStringLiteral("Usuário"), QStringLiteral("Operação"),
               QStringLiteral("Valor líquido"), QStringLiteral("Itens")});
    grdHistorico->setColumnWidth(0, 150);
    grdHistorico->setColumnWidth(2, 130);
    cmdVerFicha = Botao(this, QStringLiteral("cmdVerFicha"), QStringLiteral("Ver ficha"));
    cmdVerFicha->setToolTip(QStringLiteral("Mostra a ficha do orçamento como estava nesta versão."));
    cmdFechar = Botao(this, QStringLiteral("cmdFechar"), QStringLiteral("Fechar"));

    auto* numero = new QHBoxLayout;
    numero->addWidget(rotulo);
    numero->addWidget(txtNumeroDoOrcamento);
    numero->addWidget(cmdMostrar);
    numero->addWidget(lblOrcamento, 1);
    auto* comandos = new QHBoxLayout;
    comandos->addStretch(1);
    comandos->addWidget(cmdVerFicha);
    comandos->addWidget(cmdFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(numero);
    layout->addWidget(grdHistorico, 1);
    layout->addLayout(comandos);

    connect(cmdMostrar, &QPushButton::clicked, this, &JanelaDoHistorico::cmdMostrar_Click);
    connect(txtNumeroDoOrcamento, &QLineEdit::returnPressed, this, &JanelaDoHistorico::cmdMostrar_Click);
    connect(cmdVerFicha, &QPushButton::clicked, this, &JanelaDoHistorico::cmdVerFicha_Click);
    connect(grdHistorico, &QTableWidget::cellDoubleClicked, this, &JanelaDoHistorico::cmdVerFicha_Click);
    connect(cmdFechar, &QPushButton::clicked, this, &QDialog::reject);
    connect(grdHistorico, &QTableWidget::itemSelectionChanged, this,
            [this] { cmdVerFicha->setEnabled(!grdHistorico->selectedItems().isEmpty()); });
    cmdVerFicha->setEnabled(false);

    if (ldouNumeroDoOrcamento > 0) {
        txtNumeroDoOrcamento->setText(VB::CStr(ldouNumeroDoOrcamento));
        cmdMostrar_Click();
    }
}

JanelaDoHistorico::~JanelaDoHistorico() = default;

void JanelaDoHistorico::cmdMostrar_Click() {
    grdHistorico->setRowCount(0);
    lblOrcamento->clear();
    bool numerico = false;
    const qint64 numero = txtNumeroDoOrcamento->text().trimmed().toLongLong(&numerico);
    if (!numerico || numero <= 0) {
        Plataforma::MsgBox(QStringLiteral("Informe o número do orçamento."), Plataforma::vbInformation,
                           mstrNomeDaAplicacao);
        txtNumeroDoOrcamento->setFocus();
        return;
    }
    if (VB::CBool(mobjHistorico->SelecionarHistorico(static_cast<double>(numero)))) {
        ExibirFalha(*mobjHistorico, mstrNomeDaAplicacao);
        return;
    }
    const RecordsetPtr versoes = mobjHistorico->ResultadoDaSelecaoEmRecordSet();
    if (versoes->RecordCount() == 0) {
        lblOrcamento->setText(QStringLiteral("O orçamento %1 não tem histórico.").arg(numero));
        return;
    }
    for (versoes->MoveFirst(); !versoes->Eof(); versoes->MoveNext())
        AdicionarLinha(grdHistorico, versoes->Fields(QStringLiteral("NumeroDoRegistro")).Value,
                       {Texto(*versoes, "DataEHora"), Texto(*versoes, "Usuario"), Texto(*versoes, "Operacao"),
                        Dinheiro(*versoes, "ValorLiquido"), Texto(*versoes, "QuantidadeDeItens")},
                       {3, 4});
    lblOrcamento->setText(QStringLiteral("Orçamento %1: %2 versões")
                              .arg(QString::number(numero), QString::number(versoes->RecordCount())));
    grdHistorico->selectRow(0);
}

void JanelaDoHistorico::cmdVerFicha_Click() {
    const QList<QTableWidgetItem*> selecionados = grdHistorico->selectedItems();
    if (selecionados.isEmpty()) return;
    const double registro =
        grdHistorico->item(selecionados.constFirst()->row(), 0)->data(Qt::UserRole).toDouble();
    if (VB::CBool(mobjHistorico->SelecionarVersao(registro))) {
        ExibirFalha(*mobjHistorico, mstrNomeDaAplicacao);
        return;
    }
    ExibirFichaDaVersao(*mobjHistorico, mstrNomeDaAplicacao);
}
