#include "host/EscolhaDoCliente.h"

#include "contracts/CriarObjeto.h"
#include "contracts/Negocio.h"
#include "contracts/VB.h"
#include "platform/Plataforma.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum ColunaDosClientes { ColunaCodigo, ColunaApelido, ColunaNome, ColunaSituacao, QuantidadeDeColunas };

// Each row keeps its client's code and situation in its first cell.
constexpr int PapelDoCodigo = Qt::UserRole;
constexpr int PapelDaSituacao = Qt::UserRole + 1;

QString NomeDaSituacao(qint32 situacao) {
    switch (situacao) {
    case 1:
        return QStringLiteral("Ativo");
    case 2:
        return QStringLiteral("Inativo");
    case 3:
        return QStringLiteral("Bloqueado");
    case 4:
        return QStringLiteral("Excluído");
    default:
        return QString::number(situacao);
    }
}

// The clients a quote may not be made for, in the words the record form uses.
QString RecusaDaSituacao(qint32 situacao) {
    const QString complemento =
        QStringLiteral(" Para mais informações, entre em contato com o departamento financeiro.");
    switch (situacao) {
    case 2:
        return QStringLiteral("Cliente inativo.") + complemento;
    case 3:
        return QStringLiteral("Cliente bloqueado.") + complemento;
    case 4:
        return QStringLiteral("Cliente excluído.") + complemento;
    default:
        return QString();
    }
}

QString Texto(const Recordset& registro, const char* campo) {
    const QVariant valor = registro.Fields(QString::fromLatin1(campo)).Value;
    return VB::IsNull(valor) ? QString() : VB::CStr(valor);
}

} // namespace

EscolhaDoCliente::EscolhaDoCliente(QObject* dadosDoUsuario, QWidget* parent)
    : QDialog(parent), mobjDadosDoUsuario(dadosDoUsuario) {
    setObjectName(QStringLiteral("EscolhaDoCliente"));
    setWindowTitle(QStringLiteral("Novo orçamento"));
    resize(780, 520);
    auto* layout = new QVBoxLayout(this);

    auto* rotuloDaPesquisa =
        new QLabel(QStringLiteral("&Cliente: parte do código, do apelido ou do nome, e Enter"), this);
    mtxtPesquisa = new QLineEdit(this);
    mtxtPesquisa->setObjectName(QStringLiteral("txtPesquisa"));
    mtxtPesquisa->setClearButtonEnabled(true);
    rotuloDaPesquisa->setBuddy(mtxtPesquisa);

    mtabClientes = new QTableWidget(0, QuantidadeDeColunas, this);
    mtabClientes->setObjectName(QStringLiteral("tabClientes"));
    mtabClientes->setHorizontalHeaderLabels(
        {QStringLiteral("Código"), QStringLiteral("Apelido ou nome fantasia"),
         QStringLiteral("Nome ou razão social"), QStringLiteral("Situação")});
    mtabClientes->setSelectionBehavior(QAbstractItemView::SelectRows);
    mtabClientes->setSelectionMode(QAbstractItemView::SingleSelection);
    mtabClientes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mtabClientes->setTabKeyNavigation(false);
    mtabClientes->verticalHeader()->hide();
    mtabClientes->horizontalHeader()->setSectionResizeMode(ColunaNome, QHeaderView::Stretch);
    mtabClientes->setColumnWidth(ColunaCodigo, 80);
    mtabClientes->setColumnWidth(ColunaApelido, 220);

    auto* rotuloDoAnimal = new QLabel(QStringLiteral("&Animal: escolha e Enter abre o orçamento"), this);
    mlstAnimais = new QListWidget(this);
    mlstAnimais->setObjectName(QStringLiteral("lstAnimais"));
    mlstAnimais->setMaximumHeight(130);
    rotuloDoAnimal->setBuddy(mlstAnimais);

    mlblAviso = new QLabel(this);
    mlblAviso->setObjectName(QStringLiteral("lblAviso"));
    mlblAviso->setWordWrap(true);
    mlblAviso->setStyleSheet(QStringLiteral("color: #9c2a00;"));

    auto* botoes = new QDialogButtonBox(this);
    // Not an accept button: the button box would make that the dialog's default button.
    mcmdAbrir = botoes->addButton(QStringLiteral("Abrir orçamento"), QDialogButtonBox::ActionRole);
    mcmdAbrir->setObjectName(QStringLiteral("cmdAbrir"));
    mcmdAbrir->setEnabled(false);
    QPushButton* cancelar = botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    cancelar->setObjectName(QStringLiteral("cmdCancelar"));
    // Enter belongs to the field or the list that has the focus, never to a button.
    for (QPushButton* botao : {mcmdAbrir, cancelar}) {
        botao->setAutoDefault(false);
        botao->setDefault(false);
    }

    layout->addWidget(rotuloDaPesquisa);
    layout->addWidget(mtxtPesquisa);
    layout->addWidget(mtabClientes, 1);
    layout->addWidget(rotuloDoAnimal);
    layout->addWidget(mlstAnimais);
    layout->addWidget(mlblAviso);
    layout->addWidget(botoes);

    connect(mtxtPesquisa, &QLineEdit::returnPressed, this, &EscolhaDoCliente::Pesquisar);
    // A new text: the animals of the client found before no longer stand.
    connect(mtxtPesquisa, &QLineEdit::textEdited, this, &EscolhaDoCliente::EsvaziarAnimais);
    connect(mtabClientes, &QTableWidget::activated, this,
            [this](const QModelIndex& indice) { EscolherCliente(indice.row()); });
    connect(mlstAnimais, &QListWidget::activated, this, &EscolhaDoCliente::EscolherAnimal);
    connect(mcmdAbrir, &QPushButton::clicked, this, &EscolhaDoCliente::EscolherAnimal);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    mtxtPesquisa->setFocus();
}

std::optional<ClienteEAnimal> EscolhaDoCliente::Escolher(QObject* dadosDoUsuario, QWidget* pai) {
    EscolhaDoCliente escolha(dadosDoUsuario, pai);
    Plataforma::ExibirModal(&escolha);
    if (escolha.result() != QDialog::Accepted) return std::nullopt;
    return escolha.Escolha();
}

void EscolhaDoCliente::Avisar(const QString& texto) {
    mlblAviso->setText(texto);
}

void EscolhaDoCliente::EsvaziarAnimais() {
    mlstAnimais->clear();
    mcmdAbrir->setEnabled(false);
}

void EscolhaDoCliente::Pesquisar() {
    EsvaziarAnimais();
    mtabClientes->setRowCount(0);
    const QString texto = mtxtPesquisa->text().trimmed();
    if (texto.isEmpty()) {
        Avisar(QStringLiteral("Digite parte do código, do apelido ou do nome do cliente."));
        return;
    }
    qint32 total = 0;
    try {
        auto clientes = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsClientes>(ProgId::Clientes);
        clientes->DadosDoUsuario = mobjDadosDoUsuario;
        double codigo = 0;
        if (VB::CBool(clientes->Selecionar(2, 0, 0, texto, QString(), codigo, QString(), QString(), QString(),
                                           0, QString()))) {
            Avisar(QStringLiteral("Não foi possível pesquisar os clientes: ") + clientes->DescricaoDoErro);
            return;
        }
        const RecordsetPtr registros = clientes->ResultadoDaSelecaoEmRecordSet();
        total = registros->RecordCount();
        int linha = 0;
        for (registros->MoveFirst(); !registros->Eof() && linha < MaximoDeClientesListados;
             registros->MoveNext(), ++linha) {
            const qint32 situacao = VB::CLng(registros->Fields(QStringLiteral("Situacao")).Value);
            mtabClientes->insertRow(linha);
            auto* codigoDoCliente = new QTableWidgetItem(Texto(*registros, "CodigoDoCliente"));
            codigoDoCliente->setData(PapelDoCodigo,
                                     VB::CLng(registros->Fields(QStringLiteral("CodigoDoCliente")).Value));
            codigoDoCliente->setData(PapelDaSituacao, situacao);
            mtabClientes->setItem(linha, ColunaCodigo, codigoDoCliente);
            mtabClientes->setItem(linha, ColunaApelido,
                                  new QTableWidgetItem(Texto(*registros, "ApelidoOuNomeFantasia")));
            mtabClientes->setItem(linha, ColunaNome,
                                  new QTableWidgetItem(Texto(*registros, "NomeOuRazaoSocial")));
            mtabClientes->setItem(linha, ColunaSituacao, new QTableWidgetItem(NomeDaSituacao(situacao)));
        }
    } catch (const VB::ErroDeExecucao& erro) {
        Avisar(QStringLiteral("Não foi possível pesquisar os clientes: ") + erro.Descricao());
        return;
    }
    if (total == 0) {
        Avisar(QStringLiteral("Nenhum cliente encontrado com '") + texto + QStringLiteral("'."));
        mtxtPesquisa->selectAll();
        return;
    }
    Avisar(total > MaximoDeClientesListados
               ? QStringLiteral(
                     "Os primeiros %1 de %2 clientes encontrados: digite mais para estreitar a pesquisa.")
                     .arg(QString::number(MaximoDeClientesListados), QString::number(total))
               : QString());
    mtabClientes->selectRow(0);
    if (total == 1) {
        EscolherCliente(0);
        return;
    }
    mtabClientes->setFocus();
}

void EscolhaDoCliente::EscolherCliente(int linha) {
    EsvaziarAnimais();
    const QTableWidgetItem* codigoDoCliente = mtabClientes->item(linha, ColunaCodigo);
    if (!codigoDoCliente) return;
    const QString recusa = RecusaDaSituacao(codigoDoCliente->data(PapelDaSituacao).toInt());
    if (!recusa.isEmpty()) {
        Avisar(recusa);
        mtabClientes->setFocus();
        return;
    }
    mEscolha = ClienteEAnimal{codigoDoCliente->data(PapelDoCodigo).toInt(),
                              mtabClientes->item(linha, ColunaApelido)->text(),
                              mtabClientes->item(linha, ColunaNome)->text(), 0, QString()};
    try {
        auto animais = Zelt::CriarObjeto<ZELT_N_ClientAnim::clsAnimais>(ProgId::Animais);
        double codigo = mEscolha.CodigoDoCliente;
        if (VB::CBool(animais->SelecionarParaComboBoxFiltradoPorCliente(codigo, 3))) {
            Avisar(QStringLiteral("Não foi possível ler os animais do cliente: ") + animais->DescricaoDoErro);
            return;
        }
        const RecordsetPtr registros = animais->ResultadoDaSelecaoEmRecordSet();
        for (registros->MoveFirst(); !registros->Eof(); registros->MoveNext()) {
            auto* animal = new QListWidgetItem(Texto(*registros, "Nome"), mlstAnimais);
            animal->setData(PapelDoCodigo, VB::CLng(registros->Fields(QStringLiteral("Codigo")).Value));
        }
    } catch (const VB::ErroDeExecucao& erro) {
        Avisar(QStringLiteral("Não foi possível ler os animais do cliente: ") + erro.Descricao());
        return;
    }
    if (mlstAnimais->count() == 0) {
        // A quote opened from the menu is made for one of the client's animals.
        Avisar(mEscolha.ApelidoOuNomeFantasiaDoCliente +
               QStringLiteral(" não tem animal ativo cadastrado: escolha outro cliente."));
        mtabClientes->setFocus();
        return;
    }
    Avisar(QString());
    mlstAnimais->setCurrentRow(0);
    mcmdAbrir->setEnabled(true);
    mlstAnimais->setFocus();
}

void EscolhaDoCliente::EscolherAnimal() {
    const QListWidgetItem* animal = mlstAnimais->currentItem();
    if (!animal) return;
    mEscolha.CodigoDoAnimal = animal->data(PapelDoCodigo).toInt();
    mEscolha.NomeDoAnimal = animal->text();
    accept();
}
