#include "andamento/frmTermoDeConsentimento.h"

#include "andamento/CamposDeTexto.h"
#include "andamento/drTermoDeConsentimento.h"
#include "component/modAjuda.h"
#include "component/modMensagemDeErro.h"
#include "component/modPrincipal.h"
#include "contracts/CriarObjeto.h"
#include "contracts/Textos.h"
#include "platform/Plataforma.h"
#include "platform/controls/Aparencia.h"
#include "platform/controls/Label.h"
#include "platform/controls/MSFlexGrid.h"
#include "platform/controls/XRCommandButton.h"
#include "platform/reports/VisualizacaoDoRelatorio.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <array>

namespace {

using Termo = ZELT_N_Orcamentos::clsTermoDeConsentimento;

enum Coluna : int { ColunaProcedimento = 1, ColunaQuantidade, ColunaAnimal };

const std::array<modGrade::ColunaDaGrade, 4> Colunas{{
    {u"Coluna em branco", 0, 1, 0},
    {u"Procedimento", 7000, 1, 1},
    {u"Qtde.", 900, 7, 0},
    {u"Animal", 2500, 1, 1},
}};

// A datum the form prints, in a text box of its own: where it is kept, its caption (also
// how the messages name it) and place (twips; the row of fields and the left and width).
struct CampoDoTermo {
    const char* Nome;
    const char* Rotulo;
    QString Termo::*Membro;
    int Fileira;
    int Esquerda;
    int Largura;
};

constexpr int M = 300; // the window's margin
const std::array<CampoDoTermo, 12> Campos{{
    {"txtVeterinario", "Médico(a)-veterinário(a)", &Termo::VeterinarioResponsavel, 0, M, 6400},
    {"txtCRMV", "CRMV", &Termo::CRMV, 0, M + 6600, 2000},
    {"txtUFDoCRMV", "UF do CRMV", &Termo::UFDoCRMV, 0, M + 8800, 1200},
    {"txtCNPJ", "CNPJ da clínica", &Termo::CNPJ, 0, M + 10200, 3200},
    {"txtCPF", "CPF do(a) tutor(a)", &Termo::CPFDoTutor, 1, M, 3000},
    {"txtEndereco", "Endereço do(a) tutor(a)", &Termo::EnderecoDoTutor, 1, M + 3200, 10200},
    {"txtAnimal", "Animal", &Termo::NomeDoAnimal, 2, M, 3000},
    {"txtEspecie", "Espécie", &Termo::Especie, 2, M + 3200, 2200},
    {"txtRaca", "Raça", &Termo::Raca, 2, M + 5600, 3000},
    {"txtSexo", "Sexo", &Termo::Sexo, 2, M + 8800, 1600},
    {"txtIdade", "Idade", &Termo::Idade, 2, M + 10600, 2800},
    {"txtLocal", "Local (cidade/UF)", &Termo::Local, 3, M, 4000},
}};

void Informar(const QString& texto) {
    Plataforma::MsgBox(texto, Plataforma::vbExclamation, modPrincipal::NomeDaAplicacao);
}

QString Rotulo(const CampoDoTermo& campo) {
    return QString::fromUtf8(campo.Rotulo);
}

// What is wrong with a field's text, trimmed (empty: nothing); a UF comes back in valor
// upper-case, as the form prints it and the history names it.
QString FalhaDoCampo(const CampoDoTermo& campo, QString& valor) {
    if (valor.isEmpty()) return QStringLiteral("Informe %1 para imprimir o termo.").arg(Rotulo(campo));
    if (campo.Membro == &Termo::CPFDoTutor && !Textos::CpfValido(valor) && !Textos::CnpjValido(valor))
        return QStringLiteral("O CPF %1 não é válido: confira os dígitos.").arg(valor);
    if (campo.Membro == &Termo::UFDoCRMV) {
        const QString uf = Textos::UnidadeDaFederacao(valor);
        if (uf.isEmpty())
            return QStringLiteral("A UF do CRMV \"%1\" não é uma unidade da federação.").arg(valor);
        valor = uf;
    }
    return QString();
}

} // namespace

frmTermoDeConsentimento::frmTermoDeConsentimento(QWidget* pai)
    : frmDeUmOrcamento(QStringLiteral("frmTermoDeConsentimento"), QStringLiteral("Termo de consentimento"),
                       14000, TopoDosCampos + 4 * AlturaDaFileira + 1000, Colunas, 13400, pai) {
    modAjuda::LigarTeclaDeAjuda(this, modAjuda::SecaoDoTermoDeConsentimento);
    int topo = TopoDoResumo;
    const auto resumo = [&](const char* nome) {
        auto* rotulo = new Label(this, QString::fromLatin1(nome));
        rotulo->Move(Margem, topo, 13400, 300);
        topo += 330;
        return rotulo;
    };
    lblClinica = resumo("lblClinica");
    lblTutor = resumo("lblTutor");
    lblAnimal = resumo("lblAnimal");
    lblEstimativa = resumo("lblEstimativa");
    lblFaltando = new Label(this, QStringLiteral("lblFaltando"));
    lblFaltando->setFont(Aparencia::Fonte(10, true));
    lblFaltando->Move(Margem, topo + 60, 13400, 300);

    for (const CampoDoTermo& campo : Campos) {
        const int alto = TopoDosCampos + campo.Fileira * AlturaDaFileira;
        const QString nome = QString::fromLatin1(campo.Nome);
        CamposDeTexto::CriarRotulo(this, QStringLiteral("lbl") + nome.mid(3), Rotulo(campo), campo.Esquerda,
                                   alto)
            ->Move(campo.Esquerda, alto, campo.Largura, 300);
        QLineEdit* caixa =
            CamposDeTexto::CriarCaixaDeTexto(this, nome, campo.Esquerda, alto + 300, campo.Largura);
        caixa->setMaxLength(campo.Membro == &Termo::EnderecoDoTutor ? 200 : 80);
        mcampos << caixa;
    }
    const int alto = TopoDosCampos + 3 * AlturaDaFileira + 300;
    xrcmdImprimir = new XRCommandButton(this, QStringLiteral("xrcmdImprimir"));
    xrcmdImprimir->setCaption(QStringLiteral("    Imprimir"));
    xrcmdImprimir->setIcone(QStringLiteral("Imprimir"));
    xrcmdImprimir->Move(M + 6600, alto, 2200, 450);
    xrcmdExportarPdf = new XRCommandButton(this, QStringLiteral("xrcmdExportarPdf"));
    xrcmdExportarPdf->setCaption(QStringLiteral("    Exportar PDF"));
    xrcmdExportarPdf->setIcone(QStringLiteral("Imprimir"));
    xrcmdExportarPdf->Move(M + 9000, alto, 2400, 450);
    connect(xrcmdImprimir, &XRCommandButton::Click, this, &frmTermoDeConsentimento::xrcmdImprimir_Click);
    connect(xrcmdExportarPdf, &XRCommandButton::Click, this,
            &frmTermoDeConsentimento::xrcmdExportarPdf_Click);
}

frmTermoDeConsentimento::~frmTermoDeConsentimento() = default;

bool frmTermoDeConsentimento::LerOrcamento() {
    mobjTermo = LerComObjeto<Termo>(ProgId::TermoDeConsentimento);
    if (!mobjTermo) return false;
    if (!mobjTermo->ExigeConsentimento) {
        Informar(
            QStringLiteral("O orçamento %1 não tem procedimento que peça termo de consentimento (os tipos "
                           "de serviço que pedem estão nas configurações do orçamento).")
                .arg(VB::CStr(mdouNumeroDoOrcamento)));
        return false;
    }
    NomearOrcamento(mobjTermo->NomeDoTutor);
    const auto& procedimentos = mobjTermo->Procedimentos;
    PrepararLinhas(static_cast<int>(procedimentos.size()));
    for (int linha = 1; linha <= procedimentos.size(); ++linha) {
        const ZELT_N_Orcamentos::ProcedimentoDoTermo& p = procedimentos.at(linha - 1);
        msfgGrade->setTextMatrix(linha, ColunaProcedimento,
                                 p.SeNecessario ? p.Nome + QStringLiteral(" (se necessário)") : p.Nome);
        msfgGrade->setTextMatrix(linha, ColunaQuantidade, p.Quantidade);
        msfgGrade->setTextMatrix(linha, ColunaAnimal, p.NomeDoAnimal);
    }
    msfgGrade->setRedraw(true);
    // The fields as read; the empty ones named, the first of them focused.
    QStringList faltando;
    QLineEdit* primeiro = nullptr;
    for (std::size_t i = 0; i < Campos.size(); ++i) {
        const QString valor = (*mobjTermo).*(Campos[i].Membro);
        mcampos[i]->setText(valor);
        if (!valor.isEmpty()) continue;
        faltando << Rotulo(Campos[i]);
        if (!primeiro) primeiro = mcampos[i];
    }
    lblFaltando->setCaption(faltando.isEmpty() ? QString()
                                               : QStringLiteral("Não cadastrado, preencha para imprimir: ") +
                                                     faltando.join(QStringLiteral(", ")) + u'.');
    PreencherResumo();
    (primeiro ? primeiro : mcampos.constFirst())->setFocus();
    return true;
}

// What the form says beyond the fields, as the registry and the settings hold it.
void frmTermoDeConsentimento::PreencherResumo() {
    const Termo& t = *mobjTermo;
    lblClinica->setCaption(QStringLiteral("Clínica: %1 · %2").arg(t.NomeFantasia, t.EnderecoDaEmpresa));
    lblTutor->setCaption(QStringLiteral("Tutor(a): %1").arg(t.NomeDoTutor));
    lblAnimal->setCaption(
        QStringLiteral("Animal: %1")
            .arg(QStringList{t.NomeDoAnimal, t.Especie, t.Raca, t.Sexo, t.Idade, t.PesoDoAnimal}
                     .filter(QRegularExpression(QStringLiteral("\\S")))
                     .join(QStringLiteral(" · "))));
    lblEstimativa->setCaption(drTermoDeConsentimento::EstimativaDoTermo(t));
}

bool frmTermoDeConsentimento::ConferirCampos() {
    for (std::size_t i = 0; i < Campos.size(); ++i) {
        QString valor = mcampos[i]->text().trimmed();
        if (const QString falha = FalhaDoCampo(Campos[i], valor); !falha.isEmpty()) {
            Informar(falha);
            mcampos[i]->setFocus();
            return false;
        }
        mcampos[i]->setText(valor);
        (*mobjTermo).*(Campos[i].Membro) = valor;
    }
    return true;
}

void frmTermoDeConsentimento::Emitir(const QString& lstrComo, QStringView procedimento) {
    ComTratamentoDeErro(mstrNome, procedimento, [&](qint16& Ponto) {
        Ponto = 1;
        if (!ConferirCampos()) return;
        Ponto = 2;
        drTermoDeConsentimento relatorio;
        relatorio.Preencher(*mobjTermo, mdouNumeroDoOrcamento, modPrincipal::NomeDaAplicacao);
        VisualizacaoDoRelatorio previa(relatorio, relatorio.PrepararLeitura(), this);
        previa.setWindowTitle(relatorio.Caption());
        Ponto = 3;
        const bool saiu =
            lstrComo == ZELT_N_Orcamentos::TermoImpresso ? previa.Imprimir() : previa.ExportarParaPdf();
        if (!saiu) return;
        Ponto = 4;
        const Termo& t = *mobjTermo;
        const qint16 resultado =
            mobjTermo->RegistrarImpressao(mdouNumeroDoOrcamento, lstrComo, t.VeterinarioResponsavel,
                                          QStringLiteral("CRMV-%1 %2").arg(t.UFDoCRMV, t.CRMV));
        if (resultado != Resultado::Sucesso) ExibirResultadoDoNegocio(*mobjTermo, resultado);
    });
}

void frmTermoDeConsentimento::xrcmdImprimir_Click() {
    Emitir(ZELT_N_Orcamentos::TermoImpresso, u"xrcmdImprimir_Click");
}

void frmTermoDeConsentimento::xrcmdExportarPdf_Click() {
    Emitir(ZELT_N_Orcamentos::TermoExportadoEmPdf, u"xrcmdExportarPdf_Click");
}

void frmTermoDeConsentimento::Form_Resize() {
    frmAndamento::Form_Resize();
    ComTratamentoDeErro(mstrNome, u"Form_Resize", [&](qint16& Ponto) {
        Ponto = 1;
        msfgGrade->setHeight(AlturaDaGrade);
    });
}
