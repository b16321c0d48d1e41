#include "andamento/drTermoDeConsentimento.h"

#include "list/EstiloDosRelatorios.h"
#include "list/RodapeDaFicha.h"

#include <QLocale>

namespace {

using namespace EstiloDosRelatorios;
using Linha = drTermoDeConsentimento::Linha;

constexpr int AlturaDaLinha = 250;
const QString Separador = QStringLiteral(" - ");

// "Rótulo: valor" for the values given, joined on one logical line.
QString Pares(std::initializer_list<std::pair<const char*, QString>> pares) {
    QStringList partes;
    for (const auto& [rotulo, valor] : pares)
        if (!valor.isEmpty()) partes << QString::fromUtf8(rotulo) + QStringLiteral(": ") + valor;
    return partes.join(Separador);
}

// "CRMV-SP 12345"; the number alone without a UF.
QString Crmv(const ZELT_N_Orcamentos::clsTermoDeConsentimento& t) {
    if (t.CRMV.isEmpty()) return QString();
    return (t.UFDoCRMV.isEmpty() ? QStringLiteral("CRMV ") : QStringLiteral("CRMV-%1 ").arg(t.UFDoCRMV)) +
           t.CRMV;
}

// A CPF has 11 digits; anything else the registry holds there is a company's CNPJ.
QString Documento(const QString& documento) {
    const qsizetype digitos =
        std::count_if(documento.cbegin(), documento.cend(), [](QChar c) { return c.isDigit(); });
    return (digitos == 14 ? QStringLiteral("CNPJ ") : QStringLiteral("CPF ")) + documento;
}

void Texto(QList<Linha>& linhas, const QString& texto, bool negrito = false) {
    // Each paragraph of its own, broken between words to the page's width.
    for (const QString& paragrafo : texto.split(u'\n'))
        for (const QString& parte :
             RodapeDaFicha::Linhas(paragrafo, drTermoDeConsentimento::CaracteresPorLinha, 1000))
            linhas.append({negrito, parte});
}

void Titulo(QList<Linha>& linhas, const QString& titulo) {
    linhas.append({false, QString()});
    linhas.append({true, titulo});
}

} // namespace

QString drTermoDeConsentimento::EstimativaDoTermo(const ZELT_N_Orcamentos::clsTermoDeConsentimento& t) {
    return (t.ValorMinimo == t.ValorMaximo ? QStringLiteral("Valor estimado: ")
                                           : QStringLiteral("Estimativa: ")) +
           RodapeDaFicha::Faixa(t.ValorMinimo, t.ValorMaximo);
}

drTermoDeConsentimento::drTermoDeConsentimento(QObject* pai) : DataReport(pai) {
    Papel(*this, rptOrientPortrait, QStringLiteral("Termo de consentimento"));
    Section* cabecalho =
        AdicionarSecao(QStringLiteral("CabecalhoDaPagina"), Section::Tipo::CabecalhoDePagina, 1300);
    Cabecalho(cabecalho, QString());
    Section* detalhes = AdicionarSecao(QStringLiteral("Detalhes"), Section::Tipo::Detalhes, AlturaDaLinha);
    // A row fills one of the two: the same place, bold or not.
    Caixa(detalhes, QStringLiteral("txtTitulo"), QStringLiteral("Titulo"), Recuo, 0, Largura - 2 * Recuo, 9)
        ->setFontBold(true);
    Caixa(detalhes, QStringLiteral("txtTexto"), QStringLiteral("Texto"), Recuo, 0, Largura - 2 * Recuo, 9);
    Rodape(AdicionarSecao(QStringLiteral("RodapeDaPagina"), Section::Tipo::RodapeDePagina, AlturaDoRodape));
}

QList<Linha> drTermoDeConsentimento::LinhasDaVia(const ZELT_N_Orcamentos::clsTermoDeConsentimento& t,
                                                 const QString& via) {
    QList<Linha> l;
    l.append({true, via});
    Titulo(l, QStringLiteral("Clínica"));
    const QString clinica = t.RazaoSocial.isEmpty() || t.RazaoSocial == t.NomeFantasia
                                ? t.NomeFantasia
                                : QStringLiteral("%1 (%2)").arg(t.NomeFantasia, t.RazaoSocial);
    Texto(l, Pares({{"Nome", clinica}, {"CNPJ", t.CNPJ}}));
    Texto(l, Pares({{"Endereço", t.EnderecoDaEmpresa}}));
    Texto(l,
          Pares({{"Médico(a)-veterinário(a) responsável", t.VeterinarioResponsavel}, {"Registro", Crmv(t)}}));
    Titulo(l, QStringLiteral("Tutor(a) do animal"));
    Texto(l, Pares({{"Nome", t.NomeDoTutor}, {"CPF/CNPJ", t.CPFDoTutor}}));
    Texto(l, Pares({{"Endereço", t.EnderecoDoTutor}}));
    Titulo(l, QStringLiteral("Animal"));
    Texto(l, Pares({{"Nome", t.NomeDoAnimal},
                    {"Espécie", t.Especie},
                    {"Raça", t.Raca},
                    {"Sexo", t.Sexo},
                    {"Idade", t.Idade},
                    {"Peso", t.PesoDoAnimal}}));
    Titulo(l, QStringLiteral("Procedimentos"));
    for (const ZELT_N_Orcamentos::ProcedimentoDoTermo& p : t.Procedimentos) {
        QString linha = QStringLiteral("• %1 (quantidade: %2)").arg(p.Nome, p.Quantidade);
        // Another animal's item of the same quote is named with its animal.
        if (!p.NomeDoAnimal.isEmpty() && p.NomeDoAnimal != t.NomeDoAnimal)
            linha += Separador + p.NomeDoAnimal;
        if (p.SeNecessario) linha += QStringLiteral(" (se necessário)");
        Texto(l, linha);
    }
    Texto(l, EstimativaDoTermo(t));
    Titulo(l, QStringLiteral("Consentimento"));
    Texto(l, t.TextoDeConsentimento);
    l.append({false, QString()});
    Texto(l, QStringLiteral("%1, %2.").arg(t.Local,
                                           QLocale(QLocale::Portuguese, QLocale::Brazil)
                                               .toString(t.Hoje, QStringLiteral("d 'de' MMMM 'de' yyyy"))));
    // The signatures, with room to sign above each line.
    const auto assinatura = [&](const QString& quem) {
        l.append({false, QString()});
        l.append({false, QString()});
        l.append({false, QString(60, u'_')});
        Texto(l, quem);
    };
    assinatura(QStringLiteral("%1 - %2 (tutor(a))").arg(t.NomeDoTutor, Documento(t.CPFDoTutor)));
    assinatura(QStringLiteral("%1 - %2 (médico(a)-veterinário(a))").arg(t.VeterinarioResponsavel, Crmv(t)));
    return l;
}

int drTermoDeConsentimento::LinhasPorPagina() const {
    return PaginacaoDoRelatorio(TamanhoDoPapel().height() - TopMargin() - BottomMargin(),
                                AlturaDaSecao(Section::Tipo::CabecalhoDePagina),
                                AlturaDaSecao(Section::Tipo::RodapeDePagina), AlturaDaLinha, 0)
        .LinhasPorPagina();
}

void drTermoDeConsentimento::Preencher(const ZELT_N_Orcamentos::clsTermoDeConsentimento& termo,
                                       double numeroDoOrcamento, const QString& nomeDaAplicacao) {
    Section* cabecalho = Sections(QStringLiteral("CabecalhoDaPagina"));
    cabecalho->Controls(QStringLiteral("lblNomeFantasiaDaEmpresa"))->setCaption(termo.NomeFantasia);
    cabecalho->Controls(QStringLiteral("lblTitulo"))->setCaption(QStringLiteral("Termo de consentimento"));
    cabecalho->Controls(QStringLiteral("lblSubtitulo"))
        ->setCaption(QStringLiteral("Orçamento %1").arg(VB::CStr(numeroDoOrcamento)));
    Sections(QStringLiteral("RodapeDaPagina"))
        ->Controls(QStringLiteral("lblTituloDoAplicativo"))
        ->setCaption(nomeDaAplicacao);
    setProperty("NomeDoArquivo",
                QStringLiteral("Termo de consentimento - orçamento %1").arg(VB::CStr(numeroDoOrcamento)));

    auto linhas =
        std::make_shared<RecordsetEmMemoria>(QStringList{QStringLiteral("Titulo"), QStringLiteral("Texto")});
    const int porPagina = LinhasPorPagina();
    for (const QString& via : {QStringLiteral("1ª via - clínica"), QStringLiteral("2ª via - tutor(a)")}) {
        const QList<Linha> daVia = LinhasDaVia(termo, via);
        for (const Linha& linha : daVia)
            linhas->AdicionarLinha(
                {linha.Negrito ? linha.Texto : QString(), linha.Negrito ? QString() : linha.Texto});
        // The next copy starts on a page of its own.
        for (qsizetype k = daVia.size(); k % porPagina != 0; ++k)
            linhas->AdicionarLinha({QString(), QString()});
    }
    setDataSource(linhas);
    setDataMember(QString());
}
