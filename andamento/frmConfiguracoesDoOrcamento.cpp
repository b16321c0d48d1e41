#include "andamento/frmConfiguracoesDoOrcamento.h"

#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Pix.h"
#include "platform/Plataforma.h"
#include "platform/QrCode.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/Twips.h"
#include "platform/controls/XRComboBox.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/controls/XRNumberBox.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr int Coluna1 = 300;
constexpr int Coluna2 = 8500;
constexpr int LarguraDaColuna = 7700;
constexpr int LadoDoQrCode = 2700; // twips: 180 pixels
// The two numbers' boxes, as wide as their captions; the choice beside each fills the
// column's rest.
constexpr int LarguraDoNumero = 2700;
constexpr int LarguraDaEscolha = LarguraDaColuna - LarguraDoNumero - 300;

void Informar(const QString& texto, int icone = Plataforma::vbExclamation) {
    Plataforma::MsgBox(texto, icone, modPrincipal::NomeDaAplicacao);
}

} // namespace

const QString frmConfiguracoesDoOrcamento::SomenteAdministrador =
    QStringLiteral("Somente um administrador pode alterar as configurações do orçamento.");

frmConfiguracoesDoOrcamento::frmConfiguracoesDoOrcamento(QWidget* pai)
    : frmAndamento(QStringLiteral("frmConfiguracoesDoOrcamento"),
                   QStringLiteral("Configurações do orçamento"), 16500, 10200, pai) {
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDasConfiguracoes);
    msfgGrade->setVisible(false);
    int topo = TopoDosComandos;
    xrnbQuantidadeDeDiasParaAValidadeDoOrcamento =
        Caixa(QStringLiteral("xrnbQuantidadeDeDiasParaAValidadeDoOrcamento"),
              QStringLiteral("Validade do orçamento (dias)"), Coluna1, topo, LarguraDoNumero, 4);
    xrcmbPermissaoParaAlterarADataDeValidadeDoOrcamento =
        SimOuNao(QStringLiteral("xrcmbPermissaoParaAlterarADataDeValidadeDoOrcamento"),
                 QStringLiteral("Data de validade no orçamento"), Coluna1 + LarguraDoNumero + 300, topo,
                 QStringLiteral("Pode ser alterada"), QStringLiteral("Não pode ser alterada"));
    topo += 900;
    xrnbPercentualDoSinal =
        Caixa(QStringLiteral("xrnbPercentualDoSinal"), QStringLiteral("Sinal (% do valor aprovado)"), Coluna1,
              topo, LarguraDoNumero, 8);
    xrcmbSinalReembolsavel = SimOuNao(
        QStringLiteral("xrcmbSinalReembolsavel"), QStringLiteral("O sinal"), Coluna1 + LarguraDoNumero + 300,
        topo, QStringLiteral("É devolvido se não for realizado"), QStringLiteral("Não é reembolsável"));
    topo += 900;
    xrnbChavePix = Caixa(QStringLiteral("xrnbChavePix"),
                         QStringLiteral("Chave Pix (CPF, CNPJ, telefone +55, e-mail ou chave aleatória)"),
                         Coluna1, topo, LarguraDaColuna, 77);
    topo += 900;
    xrnbNomeDoRecebedor = Caixa(QStringLiteral("xrnbNomeDoRecebedor"),
                                QStringLiteral("Nome do recebedor do Pix"), Coluna1, topo, 4700, 60);
    xrnbCidadeDoRecebedor = Caixa(QStringLiteral("xrnbCidadeDoRecebedor"), QStringLiteral("Cidade"),
                                  Coluna1 + 5000, topo, 2700, 40);
    topo += 900;
    xrnbCondicoesDePagamento =
        Caixa(QStringLiteral("xrnbCondicoesDePagamento"),
              QStringLiteral("Condições de pagamento (ex.: À vista no Pix ou em até 6x no cartão)"), Coluna1,
              topo, LarguraDaColuna, 300);

    topo = TopoDosComandos;
    xrnbVeterinarioResponsavel =
        Caixa(QStringLiteral("xrnbVeterinarioResponsavel"),
              QStringLiteral("Médico(a)-veterinário(a) responsável"), Coluna2, topo, 4500, 80);
    xrnbCRMV = Caixa(QStringLiteral("xrnbCRMV"), QStringLiteral("CRMV"), Coluna2 + 4800, topo, 1700, 20);
    xrnbUFDoCRMV = Caixa(QStringLiteral("xrnbUFDoCRMV"), QStringLiteral("UF"), Coluna2 + 6800, topo, 900, 2);
    topo += 900;
    xrnbTiposDeServicosComConsentimento =
        Caixa(QStringLiteral("xrnbTiposDeServicosComConsentimento"),
              QStringLiteral("Tipos de serviço que pedem consentimento (códigos; ex.: 2; 3; 4)"), Coluna2,
              topo, LarguraDaColuna, 100);
    topo += 900;
    xrnbTextoDeConsentimento =
        Caixa(QStringLiteral("xrnbTextoDeConsentimento"), QStringLiteral("Texto do termo de consentimento"),
              Coluna2, topo, LarguraDaColuna, 4000);

    lblQrCodePix = new Label(this, QStringLiteral("lblQrCodePix"));
    lblQrCodePix->setCaption(QStringLiteral("Leia com o app do banco para conferir a chave (sem valor)"));
    lblQrCodePix->Move(Coluna2, topo + 900, LarguraDaColuna, 300);
    imgQrCodePix = new Image(this, QStringLiteral("imgQrCodePix"));
    imgQrCodePix->Move(Coluna2, topo + 1250, LadoDoQrCode, LadoDoQrCode);
    for (XRNumberBox* numero : {xrnbQuantidadeDeDiasParaAValidadeDoOrcamento, xrnbPercentualDoSinal})
        numero->setAlignment(1);
    // The same handler for the three boxes the code is made of.
    for (XRNumberBox* caixa : {xrnbChavePix, xrnbNomeDoRecebedor, xrnbCidadeDoRecebedor})
        connect(caixa, &Controle::LostFocus, this, &frmConfiguracoesDoOrcamento::xrnbChavePix_LostFocus);

    xrcmdGravar = new XRCommandButton(this, QStringLiteral("xrcmdGravar"));
    xrcmdGravar->setCaption(QStringLiteral("    Gravar"));
    xrcmdGravar->setIcone(QStringLiteral("Salvar"));
    xrcmdGravar->Move(0, 0, 1800, 450);
    connect(xrcmdGravar, &XRCommandButton::Click, this, &frmConfiguracoesDoOrcamento::xrcmdGravar_Click);
}

frmConfiguracoesDoOrcamento::~frmConfiguracoesDoOrcamento() = default;

XRNumberBox* frmConfiguracoesDoOrcamento::Caixa(const QString& nome, const QString& titulo, int left, int top,
                                                int width, int tamanhoMaximo) {
    auto* rotulo = new Label(this, QStringLiteral("lbl") + nome.mid(4));
    rotulo->setCaption(titulo);
    rotulo->Move(left, top, width, 300);
    auto* caixa = new XRNumberBox(this, nome);
    caixa->setAlignment(0); // texts; the two numbers are set right-aligned
    caixa->setMaxLength(tamanhoMaximo);
    caixa->Move(left, top + 320, width, 420);
    return caixa;
}

XRComboBox* frmConfiguracoesDoOrcamento::SimOuNao(const QString& nome, const QString& titulo, int left,
                                                  int top, const QString& sim, const QString& nao) {
    auto* rotulo = new Label(this, QStringLiteral("lbl") + nome.mid(5));
    rotulo->setCaption(titulo);
    rotulo->Move(left, top, LarguraDaEscolha, 300);
    auto* combo = new XRComboBox(this, nome);
    combo->AddItem(nao); // 0: no
    combo->AddItem(sim); // 1: yes
    combo->Move(left, top + 320, LarguraDaEscolha, 420);
    return combo;
}

void frmConfiguracoesDoOrcamento::MontarExibirFormulario() {
    bool lbooExibir = false;
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 1;
        if (!modPrincipal::DadosDoUsuario ||
            !modPrincipal::DadosDoUsuario->property("Administrador").toBool()) {
            Informar(SomenteAdministrador, Plataforma::vbInformation);
            return;
        }
        Ponto = 2;
        mobjConfiguracoes =
            Zelt::CriarObjeto<ZELT_N_Empresa::clsConfiguracoesDoOrcamento>(ProgId::ConfiguracoesDoOrcamento);
        mobjConfiguracoes->DadosDoUsuario = modPrincipal::DadosDoUsuario;
        Ponto = 3;
        const qint16 lintResultado = mobjConfiguracoes->Ler();
        if (lintResultado == Resultado::Recusado) {
            Informar(mobjConfiguracoes->DescricaoDaFalha, Plataforma::vbInformation);
            return;
        }
        if (lintResultado != Resultado::Sucesso) {
            ExibirErroDoNegocio(*mobjConfiguracoes);
            return;
        }
        Ponto = 4;
        Preencher();
        lbooExibir = true;
    });
    if (!lbooExibir) return;
    ComTratamentoDeErro(mstrNome, u"MontarExibirFormulario", [&](qint16& Ponto) {
        Ponto = 5;
        Plataforma::ExibirModal(this);
    });
}

void frmConfiguracoesDoOrcamento::Preencher() {
    const auto& c = *mobjConfiguracoes;
    xrnbQuantidadeDeDiasParaAValidadeDoOrcamento->setText(
        QString::number(c.QuantidadeDeDiasParaAValidadeDoOrcamento));
    xrcmbPermissaoParaAlterarADataDeValidadeDoOrcamento->setListIndex(
        c.PermissaoParaAlterarADataDeValidadeDoOrcamento ? 1 : 0);
    xrnbPercentualDoSinal->setText(VB::CStr(QVariant::fromValue(c.PercentualDoSinal)));
    xrcmbSinalReembolsavel->setListIndex(c.SinalReembolsavel ? 1 : 0);
    xrnbChavePix->setText(c.ChavePix);
    xrnbNomeDoRecebedor->setText(c.NomeDoRecebedor);
    xrnbCidadeDoRecebedor->setText(c.CidadeDoRecebedor);
    xrnbCondicoesDePagamento->setText(c.CondicoesDePagamento);
    xrnbVeterinarioResponsavel->setText(c.VeterinarioResponsavel);
    xrnbCRMV->setText(c.CRMV);
    xrnbUFDoCRMV->setText(c.UFDoCRMV);
    QStringList tipos;
    for (const qint32 tipo : c.TiposDeServicosComConsentimento)
        tipos << QString::number(tipo);
    xrnbTiposDeServicosComConsentimento->setText(tipos.join(QStringLiteral("; ")));
    xrnbTextoDeConsentimento->setText(c.TextoDeConsentimento);
    // A text longer than its box is shown from its beginning.
    xrnbTextoDeConsentimento->setSelStart(0);
    xrnbChavePix_LostFocus();
}

void frmConfiguracoesDoOrcamento::xrnbChavePix_LostFocus() {
    ComTratamentoDeErro(mstrNome, u"xrnbChavePix_LostFocus", [&](qint16& Ponto) {
        Ponto = 1;
        const Pix::ChaveVerificada chave = Pix::VerificarChave(xrnbChavePix->Text());
        const bool valida = chave.Motivo.isEmpty() && !xrnbNomeDoRecebedor->Text().trimmed().isEmpty() &&
                            !xrnbCidadeDoRecebedor->Text().trimmed().isEmpty();
        imgQrCodePix->setVisible(valida);
        lblQrCodePix->setVisible(valida);
        if (!valida) return;
        Ponto = 2;
        const QString codigo = Pix::CopiaECola(
            {chave.Chave, xrnbNomeDoRecebedor->Text(), xrnbCidadeDoRecebedor->Text(), {}, {}});
        // Whole pixels a module, as large as the control holds (nearest-pixel scaling keeps
        // each module a sharp square).
        const QImage imagem = QrCode::Imagem(codigo);
        const int pixels = std::max(1, Twips::ParaPixels(LadoDoQrCode) / std::max(imagem.width(), 1));
        imgQrCodePix->setPicture(QPixmap::fromImage(
            imagem.scaled(imagem.size() * pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    });
}

bool frmConfiguracoesDoOrcamento::Coletar() {
    auto& c = *mobjConfiguracoes;
    const QString dias = xrnbQuantidadeDeDiasParaAValidadeDoOrcamento->Text().trimmed();
    static const QRegularExpression inteiro(QStringLiteral("^\\d{1,4}$"));
    if (!inteiro.match(dias).hasMatch()) {
        Informar(QStringLiteral("Informe a validade do orçamento em dias, de 0 a 3650."));
        xrnbQuantidadeDeDiasParaAValidadeDoOrcamento->SetFocus();
        return false;
    }
    const auto percentual = VB::CCurNoIntervalo(xrnbPercentualDoSinal->Text().trimmed().isEmpty()
                                                    ? QStringLiteral("0")
                                                    : xrnbPercentualDoSinal->Text());
    if (!percentual) {
        Informar(QStringLiteral("Informe o percentual do sinal como um número de 0 a 100 (0: sem sinal)."));
        xrnbPercentualDoSinal->SetFocus();
        return false;
    }
    QList<qint32> tipos;
    for (const QString& parte : xrnbTiposDeServicosComConsentimento->Text().split(
             QRegularExpression(QStringLiteral("[;,\\s]+")), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint32 tipo = parte.toInt(&ok);
        if (!ok || tipo <= 0) {
            Informar(
                QStringLiteral("\"%1\" não é o código de um tipo de serviço. Informe os códigos separados "
                               "por ponto e vírgula (ex.: 2; 3; 4).")
                    .arg(parte));
            xrnbTiposDeServicosComConsentimento->SetFocus();
            return false;
        }
        if (!tipos.contains(tipo)) tipos << tipo;
    }
    c.QuantidadeDeDiasParaAValidadeDoOrcamento = dias.toInt();
    c.PermissaoParaAlterarADataDeValidadeDoOrcamento =
        xrcmbPermissaoParaAlterarADataDeValidadeDoOrcamento->ListIndex() == 1;
    c.PercentualDoSinal = *percentual;
    c.SinalReembolsavel = xrcmbSinalReembolsavel->ListIndex() == 1;
    c.ChavePix = xrnbChavePix->Text();
    c.NomeDoRecebedor = xrnbNomeDoRecebedor->Text();
    c.CidadeDoRecebedor = xrnbCidadeDoRecebedor->Text();
    c.CondicoesDePagamento = xrnbCondicoesDePagamento->Text();
    c.VeterinarioResponsavel = xrnbVeterinarioResponsavel->Text();
    c.CRMV = xrnbCRMV->Text();
    c.UFDoCRMV = xrnbUFDoCRMV->Text();
    c.TiposDeServicosComConsentimento = tipos;
    c.TextoDeConsentimento = xrnbTextoDeConsentimento->Text();
    return true;
}

// The box of a field the business layer named (xrnb or xrcmb and the field's name).
void frmConfiguracoesDoOrcamento::Focar(const QString& campo) {
    if (campo.isEmpty()) return;
    if (auto* caixa = findChild<Controle*>(QStringLiteral("xrnb") + campo))
        caixa->SetFocus();
    else if (auto* combo = findChild<Controle*>(QStringLiteral("xrcmb") + campo))
        combo->SetFocus();
}

void frmConfiguracoesDoOrcamento::xrcmdGravar_Click() {
    ComTratamentoDeErro(mstrNome, u"xrcmdGravar_Click", [&](qint16& Ponto) {
        Ponto = 1;
        if (!mobjConfiguracoes) throw VB::ErroDeExecucao(VB::ObjetoNaoDefinido);
        if (!Coletar()) return;
        Ponto = 2;
        const qint16 lintResultado = mobjConfiguracoes->Gravar();
        Ponto = 3;
        switch (lintResultado) {
        case Resultado::Sucesso:
            Informar(QStringLiteral("As configurações do orçamento foram gravadas."),
                     Plataforma::vbInformation);
            accept();
            return;
        case Resultado::Rejeitado:
            Informar(mobjConfiguracoes->DescricaoDaFalha);
            Focar(mobjConfiguracoes->NomeDoCampoValidado);
            return;
        case Resultado::Recusado:
            Informar(mobjConfiguracoes->DescricaoDaFalha);
            return;
        default:
            ExibirErroDoNegocio(*mobjConfiguracoes);
        }
    });
}

void frmConfiguracoesDoOrcamento::Form_Resize() {
    frmAndamento::Form_Resize();
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        Ponto = 5;
        msfgGrade->setVisible(false);
        xrcmdGravar->Move(xrcmdFechar->Left() - 150 - xrcmdGravar->Width(), xrcmdFechar->Top());
    });
}
