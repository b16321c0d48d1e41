// frmFicha's recovery copy of a new quote: while the person composes a quote, a copy of
// it (client, animal, items as the grid holds them with their "se necessário" marks,
// totals, validity and the weight given for a package) is kept in
// the user's data folder, written anew after every item command and every change of
// a value, and removed when the quote is saved or the person cancels. A copy left
// behind (a failed save, a program that ended) is offered back the next time a record
// form opens for a new quote on the same database; its items are taken back only when
// the registry still has them active, and with values the person may give.
//
// Decisions: only new quotes keep a copy (a quote being changed is stored, with its
// history); the copy is one JSON file written whole (QSaveFile), so a program killed
// while writing leaves the previous copy, never half of one; a quote without a client
// or an item keeps no copy.
// - One copy per form: each form names its copy with an identifier of its own
//   (orcamento-nao-gravado-<id>.json) and holds a lock beside it (<id>.lock, QLockFile,
//   with the owner's process id) for the form's life. A copy whose lock is held, by a
//   form of this program or of another one, is neither offered nor deleted; a lock left
//   by a program that ended (killed) is stale and taken over, so its copy is offered.
// - One database: a copy names the database it was typed on
//   (Zelt::IdentidadeDoBancoAberto: the file or server and the key the database keeps)
//   and is offered only on that one; on another it waits untouched.
// - Only a regular file of at most 1 MB is read as a copy (a FIFO, a device, a folder
//   or a link to one would hang or exhaust the form): anything else is ignored and
//   written to the error log.
// - The copy is the user's file, so its values are not trusted: an item at another
//   price than the registry's, for a user who may not change it, or with a discount
//   beyond what the registry grants the client, for a user who may not give
//   discounts (the boxes the form locks, PermissaoDoUsuario), is left out with a
//   message; the business layer checks the same again at the save.
// - Of several copies that may be offered, the latest is; a form opened by the host
//   for its own client offers only a copy of that client.

#include "component/modConstantes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/PastaDeDados.h"
#include "contracts/Textos.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRDTPicker.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "platform/suite/ComponentesDaSuite.h"
#include "record/frmFicha.h"
#include "record/modFicha.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QUuid>
#include <optional>

namespace {

using namespace GradeDeItens;

constexpr qint64 TamanhoMaximoDaCopia = 1024 * 1024;
// An item of the copy is its cells 1 to CodigoDaSituacao, then its "se necessário" mark.
constexpr int PosicaoDaMarca = CodigoDaSituacao - TipoDeServicoOuCodigoDeBarras + 1;
const QString PrefixoDaCopia = QStringLiteral("orcamento-nao-gravado-");

QString ArquivoDaCopia(const QString& identificador) {
    return frmFicha::PastaDasCopiasDeRecuperacao() + u'/' + PrefixoDaCopia + identificador +
           QStringLiteral(".json");
}

QString ArquivoDaTrava(const QString& identificador) {
    return frmFicha::PastaDasCopiasDeRecuperacao() + u'/' + identificador + QStringLiteral(".lock");
}

// The lock of a copy when nobody holds it (a stale one of a program that ended is
// taken over); nothing when a form holds it.
std::unique_ptr<QLockFile> Travar(const QString& identificador) {
    auto trava = std::make_unique<QLockFile>(ArquivoDaTrava(identificador));
    trava->setStaleLockTime(0); // stale only when its process is gone, never by age
    return trava->tryLock(0) ? std::move(trava) : nullptr;
}

void Liberar(std::unique_ptr<QLockFile>& trava) {
    if (trava) trava->unlock();
    trava.reset();
}

void RegistrarCopiaIgnorada(const QString& arquivo, const QString& motivo) {
    Suite::RegistrarErro(modPrincipal::NomeDaAplicacao, QStringLiteral("0"),
                         QStringLiteral("A cópia de recuperação %1 foi ignorada: %2").arg(arquivo, motivo),
                         QStringLiteral("frmFicha, LerCopia"));
}

// The copy in that file, read only when it is a regular file of a sensible size; empty
// otherwise (and logged).
QJsonObject LerCopia(const QString& caminho) {
    const QFileInfo info(caminho);
    if (info.isSymLink() || !info.isFile()) {
        RegistrarCopiaIgnorada(caminho, QStringLiteral("não é um arquivo comum."));
        return {};
    }
    if (info.size() > TamanhoMaximoDaCopia) {
        RegistrarCopiaIgnorada(caminho, QStringLiteral("tem mais de 1 MB."));
        return {};
    }
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) return {};
    const QByteArray conteudo = arquivo.read(TamanhoMaximoDaCopia + 1);
    if (conteudo.size() > TamanhoMaximoDaCopia) {
        RegistrarCopiaIgnorada(caminho, QStringLiteral("tem mais de 1 MB."));
        return {};
    }
    return QJsonDocument::fromJson(conteudo).object();
}

// The registry's price of the item of that launch type and code, when it is still
// active in the registry.
std::optional<VB::Currency> PrecoNoCadastro(qint32 lancamento, const QString& tipoOuCodigoDeBarras,
                                            double codigo) {
    RecordsetPtr selecao;
    if (lancamento == LancamentoDeServico) {
        auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
        qint16 tipo = static_cast<qint16>(tipoOuCodigoDeBarras.toInt());
        QString nome;
        if (VB::CLng(servicos->Selecionar(2, 0, 1, QString(), tipo, nome, codigo)) != 0) return std::nullopt;
        selecao = servicos->ResultadoDaSelecaoEmRecordSet();
    } else {
        auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
        QString nome, codigoDeBarras;
        if (VB::CLng(produtos->Selecionar(2, 0, 1, QString(), nome, codigoDeBarras, codigo)) != 0)
            return std::nullopt;
        selecao = produtos->ResultadoDaSelecaoEmRecordSet();
    }
    if (selecao->RecordCount() == 0) return std::nullopt;
    return VB::CCur(selecao->Fields(QStringLiteral("ValorDeVenda")).Value);
}

// A copy left behind that this form may offer: the latest one nobody holds, of the open
// database (and, in a form the host opened for its client, of that client), with its
// lock now held; none when there is no such copy.
struct CopiaLivre {
    QString Identificador;
    QJsonObject Copia;
    std::unique_ptr<QLockFile> Trava;
};

CopiaLivre CopiaAOferecer(const QString& propria) {
    const QString banco = Zelt::IdentidadeDoBancoAberto();
    const bool doHost = modPrincipal::FichaAbertaDiretamente;
    CopiaLivre escolhida;
    const QStringList nomes =
        QDir(frmFicha::PastaDasCopiasDeRecuperacao())
            .entryList({PrefixoDaCopia + QStringLiteral("*.json")},
                       QDir::Files | QDir::Dirs | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& nome : nomes) {
        const QString identificador = nome.mid(PrefixoDaCopia.size()).chopped(5);
        if (identificador == propria) continue;
        std::unique_ptr<QLockFile> trava = Travar(identificador);
        if (!trava) continue; // its form is open
        const QJsonObject lida = LerCopia(ArquivoDaCopia(identificador));
        const double codigo =
            lida.value(QStringLiteral("cliente")).toObject().value(QStringLiteral("codigo")).toDouble();
        if (banco.isEmpty() || lida.value(QStringLiteral("banco")).toString() != banco || codigo <= 0 ||
            (doHost && codigo != modPrincipal::CodigoDoCliente) ||
            (!escolhida.Copia.isEmpty() && lida.value(QStringLiteral("quando")).toString() <=
                                               escolhida.Copia.value(QStringLiteral("quando")).toString()))
            continue;
        Liberar(escolhida.Trava);
        escolhida = {identificador, lida, std::move(trava)};
    }
    return escolhida;
}

} // namespace

QString frmFicha::PastaDasCopiasDeRecuperacao() {
    return Zelt::PastaDeDados() + QStringLiteral("/recuperacao");
}

QString frmFicha::ArquivoDaCopiaDeRecuperacao() const {
    return mstrIdentificadorDaCopia.isEmpty() ? QString() : ArquivoDaCopia(mstrIdentificadorDaCopia);
}

void frmFicha::IniciarCopiaDeRecuperacao() {
    ComTratamentoDeErro(u"frmFicha", u"IniciarCopiaDeRecuperacao", [&](qint16& Ponto) {
        Ponto = 1;
        QDir().mkpath(PastaDasCopiasDeRecuperacao());
        if (!mcopiaDoOrcamento.isEmpty()) {
            // A copy of a stored quote comes in as a recovered one, and then is this
            // form's own new quote: no copy left behind is offered over it.
            const QJsonObject copia = std::exchange(mcopiaDoOrcamento, QJsonObject());
            const bool lbooGuarda = std::exchange(mbooIgnorarProximoEvento, false);
            RecuperarOrcamento(copia, mstrForaDoCadastroDaCopia);
            mbooIgnorarProximoEvento = lbooGuarda;
        } else if (auto [oferecida, copia, travaDaOferecida] = CopiaAOferecer(mstrIdentificadorDaCopia);
                   !copia.isEmpty()) {
            Ponto = 2;
            const qsizetype itens = copia.value(QStringLiteral("itens")).toArray().size();
            // One pass with every value: a %N in the client's name stays as typed.
            const QString pergunta =
                QStringLiteral("Há um orçamento não gravado de %1 para %2, com %3 %4. Recuperar?")
                    .arg(QDateTime::fromString(copia.value(QStringLiteral("quando")).toString(), Qt::ISODate)
                             .toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                         copia.value(QStringLiteral("cliente"))
                             .toObject()
                             .value(QStringLiteral("nome"))
                             .toString(),
                         QString::number(itens),
                         itens == 1 ? QStringLiteral("item") : QStringLiteral("itens"));
            if (Plataforma::MsgBox(pergunta, Plataforma::vbYesNo | Plataforma::vbQuestion,
                                   modPrincipal::NomeDaAplicacao) == Plataforma::vbYes) {
                // The copy becomes this form's own: its lock is kept for the form's life.
                if (mtravaDaCopia) QFile::remove(ArquivoDaCopiaDeRecuperacao());
                Liberar(mtravaDaCopia);
                mstrIdentificadorDaCopia = oferecida;
                mtravaDaCopia = std::move(travaDaOferecida);
                // The form's one-shot guard is the assembly's: the recovery leaves it as it was.
                const bool lbooGuarda = mbooIgnorarProximoEvento;
                mbooIgnorarProximoEvento = false;
                RecuperarOrcamento(copia,
                                   QStringLiteral("Estes itens do orçamento não gravado não estão mais "
                                                  "cadastrados ou estão inativos, e ficaram fora do "
                                                  "orçamento recuperado:"));
                mbooIgnorarProximoEvento = lbooGuarda;
            } else {
                QFile::remove(ArquivoDaCopia(oferecida));
                Liberar(travaDaOferecida);
            }
        }
        Ponto = 3;
        if (!mtravaDaCopia) {
            mstrIdentificadorDaCopia = QUuid::createUuid().toString(QUuid::WithoutBraces);
            mtravaDaCopia = Travar(mstrIdentificadorDaCopia);
        }
        if (mbooCopiaDeRecuperacaoAtiva) return;
        mbooCopiaDeRecuperacaoAtiva = true;
        // After the commands' own handlers (connected before), so the copy is the result.
        for (XRCommandButton* comando : {xrcmdAdicionar, xrcmdAlterar, xrcmdRemover})
            connect(comando, &XRCommandButton::Click, this, &frmFicha::GravarCopiaDeRecuperacao);
        connect(xrcmbAnimal, &XRComboBox::Click, this, &frmFicha::GravarCopiaDeRecuperacao);
        for (Controle* valor : std::initializer_list<Controle*>{
                 xrnumQuantidade, xrnumValorUnitario, xrnumPercentualDeDescontoPorItem,
                 xrnumValorDeDescontoPorItem, xrdtpDataDeValidadeDoOrcamento, xrfCodigoDoCliente,
                 xrfApelidoOuNomeFantasiaDoCliente, xrfNomeOuRazaoSocialDoCliente})
            connect(valor, &Controle::LostFocus, this, &frmFicha::GravarCopiaDeRecuperacao);
    });
}

// The quote as the form holds it, written whole or not at all. A copy that cannot be
// written costs the person nothing now: it is not reported. Without its lock (the
// folder could not be written) the form keeps no copy.
void frmFicha::GravarCopiaDeRecuperacao() {
    if (!mbooCopiaDeRecuperacaoAtiva || mintTipoDeOperacao != Inclusao || !mtravaDaCopia) return;
    const double codigo = modFicha::ValorNumerico(xrfCodigoDoCliente->Text());
    QJsonArray itens;
    for (int linha = 1; linha < msfgGradeDeItensDoOrcamento->Rows(); ++linha) {
        QJsonArray celulas;
        for (int coluna = TipoDeServicoOuCodigoDeBarras; coluna <= CodigoDaSituacao; ++coluna)
            celulas << msfgGradeDeItensDoOrcamento->TextMatrix(linha, coluna);
        // The "se necessário" mark after the specified cells (a copy without it: no mark).
        celulas << (msfgGradeDeItensDoOrcamento->Cols() > ColunaSeNecessario
                        ? msfgGradeDeItensDoOrcamento->TextMatrix(linha, ColunaSeNecessario)
                        : QString());
        if (!celulas.at(CodigoDoServicoOuProduto - TipoDeServicoOuCodigoDeBarras).toString().isEmpty())
            itens << celulas;
    }
    // Without a client or an item there is nothing worth offering back.
    if (codigo <= 0 || itens.isEmpty()) return DescartarCopiaDeRecuperacao();
    const QJsonObject copia{
        {QStringLiteral("banco"), Zelt::IdentidadeDoBancoAberto()},
        {QStringLiteral("quando"), QDateTime::currentDateTime().toString(Qt::ISODate)},
        {QStringLiteral("cliente"),
         QJsonObject{{QStringLiteral("codigo"), codigo},
                     {QStringLiteral("apelido"), xrfApelidoOuNomeFantasiaDoCliente->Text()},
                     {QStringLiteral("nome"), xrfNomeOuRazaoSocialDoCliente->Text()}}},
        {QStringLiteral("animal"),
         QJsonObject{{QStringLiteral("codigo"),
                      xrcmbAnimal->ListIndex() >= 0 ? xrcmbAnimal->ItemData(xrcmbAnimal->ListIndex()) : -1},
                     {QStringLiteral("nome"), xrcmbAnimal->Text()}}},
        {QStringLiteral("validade"), xrdtpDataDeValidadeDoOrcamento->Value()},
        {QStringLiteral("valores"), QJsonArray{xrnumValorTotal->Text(), xrnumDescontoEmPercentual->Text(),
                                               xrnumDescontoEmValor->Text(), xrnumValorLiquido->Text()}},
        {QStringLiteral("itens"), itens},
        {QStringLiteral("peso"), mstrPesoDoAnimal},
    };
    QSaveFile arquivo(ArquivoDaCopiaDeRecuperacao());
    if (!arquivo.open(QIODevice::WriteOnly)) return;
    arquivo.write(QJsonDocument(copia).toJson(QJsonDocument::Compact));
    arquivo.commit();
}

void frmFicha::DescartarCopiaDeRecuperacao() {
    if (mintTipoDeOperacao == Inclusao && mtravaDaCopia) QFile::remove(ArquivoDaCopiaDeRecuperacao());
}

// Whether the item's values are whole (numbers, the total their result) and ones this
// user may give: what the form would have put in its locked boxes (PermissaoDoUsuario),
// the registry's price and at most the discount the registry grants the client on it.
bool frmFicha::ValoresPermitidosAoUsuario(const QJsonArray& celulas, VB::Currency lcurPreco) {
    const auto Celula = [&](Coluna coluna) -> std::optional<double> {
        const QString texto = celulas.at(coluna - TipoDeServicoOuCodigoDeBarras).toString();
        if (!VB::IsNumeric(texto)) return std::nullopt;
        const double valor = modFicha::ValorNumerico(texto);
        return valor >= 0 && valor < 1e14 ? std::optional(valor) : std::nullopt;
    };
    const auto quantidade = Celula(Quantidade), unitario = Celula(ValorUnitario),
               percentual = Celula(PercentualDeDesconto), desconto = Celula(ValorDeDesconto),
               total = Celula(ValorTotal);
    if (!quantidade || !unitario || !percentual || !desconto || !total || *quantidade <= 0 ||
        *unitario <= 0 || *percentual > 100 || *desconto > *quantidade * *unitario + 0.005 ||
        std::abs(*total - (*quantidade * *unitario - *desconto)) > 0.005)
        return false;
    QObject* lobjUsuario = modPrincipal::DadosDoUsuario;
    const auto Item = [&](const char* nome) { return lobjUsuario && lobjUsuario->property(nome).toBool(); };
    if (Item("Administrador")) return true;
    if (std::abs(*unitario - lcurPreco.ParaDouble()) > 0.00005) return false;
    if (Item("PermissaoDoModuloCaixaAlterarDescontosDeVendas")) return true;
    const bool lbooServico =
        celulas.at(TipoDeLancamento - TipoDeServicoOuCodigoDeBarras).toString().toInt() ==
        LancamentoDeServico;
    VB::Currency lcurPermitido = PercentualDaPromocaoDeVenda(lbooServico);
    if (lbooServico)
        if (const qint32* llonDoCliente = PercentualDoClienteNoTipo(celulas.at(0).toString().toLongLong()))
            lcurPermitido = std::max(lcurPermitido, VB::Currency::DeInteiro(*llonDoCliente));
    return *percentual <= lcurPermitido.ParaDouble() + 0.00005 &&
           *desconto <= *quantidade * *unitario * lcurPermitido.ParaDouble() / 100 + 0.005;
}

// Fills the form as the person would: the client searched by its code, the animal
// chosen, then the items still in the registry put in the grid as the add command puts
// them, the totals computed again; the validity date when the person may set it.
void frmFicha::DefinirOrcamentoACopiar(const QJsonObject& copia, const QString& lstrForaDoCadastro) {
    mcopiaDoOrcamento = copia;
    mstrForaDoCadastroDaCopia = lstrForaDoCadastro;
}

void frmFicha::RecuperarOrcamento(const QJsonObject& copia, const QString& lstrForaDoCadastro) {
    ComTratamentoDeErro(u"frmFicha", u"RecuperarOrcamento", [&](qint16& Ponto) {
        Ponto = 1;
        if (!modPrincipal::FichaAbertaDiretamente) {
            xrfCodigoDoCliente->setText(VB::CStr(copia.value(QStringLiteral("cliente"))
                                                     .toObject()
                                                     .value(QStringLiteral("codigo"))
                                                     .toDouble()));
            xrfCodigoDoCliente->Pesquisar();
            if (xrcmbAnimal->ListCount() == 0) return; // refused: the person has been told
        }
        Ponto = 2;
        const qint64 animal =
            copia.value(QStringLiteral("animal")).toObject().value(QStringLiteral("codigo")).toInteger();
        for (int i = 0; i < xrcmbAnimal->ListCount(); ++i)
            if (xrcmbAnimal->ItemData(i) == animal) xrcmbAnimal->setListIndex(i);
        Ponto = 3;
        QStringList foraDoCadastro, foraDosValores;
        bool lbooServico = true;
        int recuperados = 0;
        for (const QJsonValue& valor : copia.value(QStringLiteral("itens")).toArray()) {
            const QJsonArray celulas = valor.toArray();
            const auto celula = [&](Coluna coluna) {
                return celulas.at(coluna - TipoDeServicoOuCodigoDeBarras).toString();
            };
            const qint32 lancamento = celula(TipoDeLancamento).toInt();
            const std::optional<VB::Currency> preco =
                PrecoNoCadastro(lancamento, celula(TipoDeServicoOuCodigoDeBarras),
                                modFicha::ValorNumerico(celula(CodigoDoServicoOuProduto)));
            if (!preco) {
                foraDoCadastro << celula(NomeDoServicoOuProduto);
                continue;
            }
            if (!ValoresPermitidosAoUsuario(celulas, *preco)) {
                foraDosValores << celula(NomeDoServicoOuProduto);
                continue;
            }
            lbooServico = lancamento == LancamentoDeServico;
            // As the add command puts a row in the grid.
            msfgGradeDeItensDoOrcamento->setRows(msfgGradeDeItensDoOrcamento->Rows() + 1);
            mintUltimaLinhaDaGrade = static_cast<qint16>(msfgGradeDeItensDoOrcamento->Rows() - 1);
            for (int coluna = TipoDeServicoOuCodigoDeBarras; coluna <= CodigoDaSituacao; ++coluna)
                msfgGradeDeItensDoOrcamento->setTextMatrix(
                    mintUltimaLinhaDaGrade, coluna,
                    celulas.at(coluna - TipoDeServicoOuCodigoDeBarras).toString());
            // Only the form's own mark is taken back: any other text in its place is none.
            msfgGradeDeItensDoOrcamento->setTextMatrix(
                mintUltimaLinhaDaGrade, ColunaSeNecessario,
                celulas.at(PosicaoDaMarca).toString() == MarcaSeNecessario ? MarcaSeNecessario : QString());
            SelecionarLinhaIncluida();
            ++recuperados;
        }
        Ponto = 4;
        if (recuperados > 0) {
            // The last item's kind chosen as the person chooses it, so that its fields
            // are shown before the next item's field takes the focus.
            if (!lbooServico) {
                optProduto->setEnabled(true);
                optProduto->setValue(true);
            }
            // The package's weight, when it is one the save takes (the copy is the user's file).
            const QString peso = copia.value(QStringLiteral("peso")).toString();
            if (Textos::PesoDigitado(peso)) mstrPesoDoAnimal = peso;
            CalcularValoresDosItensDaGrade();
            PrepararProximoItem(lbooServico);
            HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDoOrcamento(false);
            RedimensionarGrade(msfgGradeDeItensDoOrcamento->Rows() - 1);
            mbooAnimalBloqueado = true;
            xrcmbAnimal->setEnabled(false);
        }
        Ponto = 5;
        const QString validade = copia.value(QStringLiteral("validade")).toString();
        if (mbooPermissaoParaAlterarDataDeValidadeDoOrcamento &&
            QDate::fromString(validade, QStringLiteral("dd/MM/yyyy")) >= QDate::currentDate())
            xrdtpDataDeValidadeDoOrcamento->setValue(validade);
        Ponto = 6;
        if (!foraDoCadastro.isEmpty())
            Plataforma::MsgBox(lstrForaDoCadastro + QStringLiteral("\r\n") +
                                   foraDoCadastro.join(QStringLiteral("\r\n")),
                               Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
        if (!foraDosValores.isEmpty())
            Plataforma::MsgBox(
                QStringLiteral(
                    "Estes itens do orçamento não gravado têm valores que não são válidos ou que este "
                    "usuário não pode dar (valor unitário, desconto), e ficaram fora do orçamento "
                    "recuperado:\r\n") +
                    foraDosValores.join(QStringLiteral("\r\n")),
                Plataforma::vbExclamation, modPrincipal::NomeDaAplicacao);
    });
}
