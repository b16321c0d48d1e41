// frmFicha's recovery copy of a new quote: while the person composes a quote, a copy of
// it (client, animal, items as the grid holds them, totals and validity) is kept in
// the user's data folder, written anew after every item command and every change of
// a value, and removed when the quote is saved or the person cancels. A copy left
// behind (a failed save, a program that ended) is offered back the next time a record
// form opens for a new quote on the workstation; its items are taken back only when
// the registry still has them active.
//
// Decisions: only new quotes keep a copy (a quote being changed is stored, with its
// history); the copy is one JSON file written whole (QSaveFile), so a program killed
// while writing leaves the previous copy, never half of one; one copy per user (the
// workstation's person), the latest quote typed; a record form opened by the host for
// its own client offers only a copy of that client (another client's copy waits for a
// form from the list, unless this form's own quote replaces it); a quote without a
// client or an item keeps no copy.

#include "component/modConstantes.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/PastaDeDados.h"
#include "platform/Plataforma.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRDTPicker.h"
#include "platform/controls/XRFind.h"
#include "platform/controls/XRNumberBox.h"
#include "record/frmFicha.h"
#include "record/modFicha.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

using namespace GradeDeItens;

QString ArquivoDaCopia() {
    return frmFicha::ArquivoDaCopiaDeRecuperacao();
}

QJsonObject LerCopia() {
    QFile arquivo(ArquivoDaCopia());
    if (!arquivo.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(arquivo.readAll()).object();
}

// Whether the item of that launch type and code is still active in the registry.
bool AindaCadastrado(qint32 lancamento, const QString& tipoOuCodigoDeBarras, double codigo) {
    if (lancamento == LancamentoDeServico) {
        auto servicos = Zelt::CriarObjeto<ZELT_N_Servicos::clsServicos>(ProgId::Servicos);
        qint16 tipo = static_cast<qint16>(tipoOuCodigoDeBarras.toInt());
        QString nome;
        return VB::CLng(servicos->Selecionar(2, 0, 1, QString(), tipo, nome, codigo)) == 0 &&
               servicos->ResultadoDaSelecaoEmRecordSet()->RecordCount() > 0;
    }
    auto produtos = Zelt::CriarObjeto<ZELT_N_Produtos::clsProdutos>(ProgId::Produtos);
    QString nome, codigoDeBarras;
    return VB::CLng(produtos->Selecionar(2, 0, 1, QString(), nome, codigoDeBarras, codigo)) == 0 &&
           produtos->ResultadoDaSelecaoEmRecordSet()->RecordCount() > 0;
}

} // namespace

QString frmFicha::ArquivoDaCopiaDeRecuperacao() {
    return Zelt::PastaDeDados() + QStringLiteral("/orcamento-nao-gravado.json");
}

void frmFicha::IniciarCopiaDeRecuperacao() {
    ComTratamentoDeErro(u"frmFicha", u"IniciarCopiaDeRecuperacao", [&](qint16& Ponto) {
        Ponto = 1;
        const QJsonObject copia = LerCopia();
        const QJsonObject cliente = copia.value(QStringLiteral("cliente")).toObject();
        const double codigo = cliente.value(QStringLiteral("codigo")).toDouble();
        const bool doHost = modPrincipal::FichaAbertaDiretamente;
        if (codigo > 0 && (!doHost || codigo == modPrincipal::CodigoDoCliente)) {
            Ponto = 2;
            const qsizetype itens = copia.value(QStringLiteral("itens")).toArray().size();
            const QString pergunta =
                QStringLiteral("Há um orçamento não gravado de %1 para %2, com %3 %4. Recuperar?")
                    .arg(QDateTime::fromString(copia.value(QStringLiteral("quando")).toString(), Qt::ISODate)
                             .toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                         cliente.value(QStringLiteral("nome")).toString(), QString::number(itens),
                         itens == 1 ? QStringLiteral("item") : QStringLiteral("itens"));
            if (Plataforma::MsgBox(pergunta, Plataforma::vbYesNo | Plataforma::vbQuestion,
                                   modPrincipal::NomeDaAplicacao) == Plataforma::vbYes) {
                // The form's one-shot guard is the assembly's: the recovery leaves it as it was.
                const bool lbooGuarda = mbooIgnorarProximoEvento;
                mbooIgnorarProximoEvento = false;
                RecuperarOrcamento(QJsonDocument(copia).toJson());
                mbooIgnorarProximoEvento = lbooGuarda;
            } else
                DescartarCopiaDeRecuperacao();
        }
        Ponto = 3;
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
// written costs the person nothing now: it is not reported.
void frmFicha::GravarCopiaDeRecuperacao() {
    if (!mbooCopiaDeRecuperacaoAtiva || mintTipoDeOperacao != Inclusao) return;
    const double codigo = modFicha::ValorNumerico(xrfCodigoDoCliente->Text());
    QJsonArray itens;
    for (int linha = 1; linha < msfgGradeDeItensDoOrcamento->Rows(); ++linha) {
        QJsonArray celulas;
        for (int coluna = TipoDeServicoOuCodigoDeBarras; coluna <= CodigoDaSituacao; ++coluna)
            celulas << msfgGradeDeItensDoOrcamento->TextMatrix(linha, coluna);
        if (!celulas.at(CodigoDoServicoOuProduto - TipoDeServicoOuCodigoDeBarras).toString().isEmpty())
            itens << celulas;
    }
    // Without a client or an item there is nothing worth offering back.
    if (codigo <= 0 || itens.isEmpty()) return DescartarCopiaDeRecuperacao();
    const QJsonObject copia{
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
    };
    QDir().mkpath(QFileInfo(ArquivoDaCopia()).absolutePath());
    QSaveFile arquivo(ArquivoDaCopia());
    if (!arquivo.open(QIODevice::WriteOnly)) return;
    arquivo.write(QJsonDocument(copia).toJson(QJsonDocument::Compact));
    arquivo.commit();
}

void frmFicha::DescartarCopiaDeRecuperacao() {
    if (mintTipoDeOperacao == Inclusao) QFile::remove(ArquivoDaCopia());
}

// Fills the form as the person would: the client searched by its code, the animal
// chosen, then the items still in the registry put in the grid as the add command puts
// them, the totals computed again; the validity date when the person may set it.
void frmFicha::RecuperarOrcamento(const QByteArray& lstrCopia) {
    ComTratamentoDeErro(u"frmFicha", u"RecuperarOrcamento", [&](qint16& Ponto) {
        const QJsonObject copia = QJsonDocument::fromJson(lstrCopia).object();
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
        QStringList foraDoCadastro;
        bool lbooServico = true;
        int recuperados = 0;
        for (const QJsonValue& valor : copia.value(QStringLiteral("itens")).toArray()) {
            const QJsonArray celulas = valor.toArray();
            const auto celula = [&](Coluna coluna) {
                return celulas.at(coluna - TipoDeServicoOuCodigoDeBarras).toString();
            };
            const qint32 lancamento = celula(TipoDeLancamento).toInt();
            if (!AindaCadastrado(lancamento, celula(TipoDeServicoOuCodigoDeBarras),
                                 modFicha::ValorNumerico(celula(CodigoDoServicoOuProduto)))) {
                foraDoCadastro << celula(NomeDoServicoOuProduto);
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
            Plataforma::MsgBox(
                QStringLiteral("Estes itens do orçamento não gravado não estão mais cadastrados ou "
                               "estão inativos, e ficaram fora do orçamento recuperado:\r\n") +
                    foraDoCadastro.join(QStringLiteral("\r\n")),
                Plataforma::vbInformation, modPrincipal::NomeDaAplicacao);
    });
}
