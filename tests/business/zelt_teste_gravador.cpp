// zelt_teste_gravador: one workstation of the concurrency tests, as a process of its
// own. It opens the given database (which must already hold the tests' known
// registry) and stores quotes through ZELT_N_Orcamentos.clsOrcamentos exactly as the
// record form does.
//
//   zelt_teste_gravador (--banco ARQUIVO | --url URL) [--usuario NOME] [--semente N]
//                       [--inicio ARQUIVO] adicionar N
//       adds N quotes of client 1, each with 1 to 20 items drawn from the registry;
//       after each one is stored prints "gravado <number> <items> <total> <net>"
//       (money in ten-thousandths). Exit code 0 when all were stored.
//   zelt_teste_gravador ... alterar NUMERO
//       reads quote NUMERO as the record form does (its items and "Data e hora da
//       alteração"), adds 1 to 3 items and saves; prints "resultado <code>" and, when
//       the save was not done, the description on the next line.
//
//   zelt_teste_gravador ... restaurar NUMERO[,NUMERO...]
//       prints "lido", then (after --inicio) restores those deleted quotes as an
//       administrator, one after the other; prints "resultado <code> <number>" for each and, when it was not
//       done, the description on the next line.
//
//   zelt_teste_gravador ... aprovar NUMERO | recusar NUMERO
//       reads quote NUMERO's stage and stamp, prints "lido", then (after --inicio)
//       approves it or refuses it ("Preço"); prints "resultado <code>" and, when it
//       was not done, the description on the next line.
//
//   zelt_teste_gravador ... pagar NUMERO
//       prints "lido", then (after --inicio) pays 150,00 by Pix against approved quote
//       NUMERO; prints "resultado <code>" and, when refused, the description.
//
// --inicio waits until that file exists before the first save, so that several
// processes start together.

#include "tests/business/BancoDeTeste.h"

#include "business/Negocio.h"
#include "contracts/CriarObjeto.h"
#include "contracts/HistoricoDeOrcamentos.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <cstdio>

using namespace Qt::StringLiterals;

using BancoDeTeste::GradeEmMemoria;
using ZELT_N_Orcamentos::clsOrcamentos;
using ZELT_N_Orcamentos::clsOrcItens;

namespace {

// Money in whole cents while the quote is composed; the grid holds "1234,56".
QString Texto(qint64 centavos) {
    return u"%1,%2"_s.arg(QString::number(centavos / 100),
                          QString::number(centavos % 100).rightJustified(2, u'0'));
}

struct Somas {
    qint64 Bruto = 0, Desconto = 0;
};

// One item drawn from the known registry: a service (integer quantity) or a product
// (half units), with 0, 5 or 10 % discount.
void SortearItem(QRandomGenerator& sorte, GradeEmMemoria& grade, Somas& somas) {
    struct Opcao {
        bool Servico;
        int TipoOuNada;
        const char* CodigoDeBarras;
        int Codigo;
        qint64 Preco; // cents
    };
    static const Opcao opcoes[] = {{true, 1, "", 1, 12000},
                                   {true, 1, "", 2, 9000},
                                   {true, 2, "", 3, 35000},
                                   {true, 5, "", 4, 4500},
                                   {false, 0, "7891234567895", 100, 21990},
                                   {false, 0, "7890000000017", 200, 2490}};
    const Opcao& o = opcoes[sorte.bounded(int(std::size(opcoes)))];
    const int animal = sorte.bounded(2) == 0 ? 10 : 11;
    const int percentual = 5 * sorte.bounded(3);
    // Services by whole units, products by half units: the gross value stays in cents.
    const int meias = o.Servico ? 2 * (1 + sorte.bounded(3)) : 1 + sorte.bounded(6);
    const qint64 bruto = o.Preco * meias / 2;
    const qint64 desconto = (bruto * percentual + 50) / 100;
    const QString quantidade =
        o.Servico ? QString::number(meias / 2)
                  : u"%1,%2"_s.arg(QString::number(meias / 2), meias % 2 ? u"500"_s : u"000"_s);
    const QString unitario = Texto(o.Preco);
    const QString perc = u"%1,00"_s.arg(percentual);
    if (o.Servico)
        grade.AdicionarServico(o.TipoOuNada, o.Codigo, animal, quantidade, unitario, perc, Texto(desconto),
                               Texto(bruto - desconto));
    else
        grade.AdicionarProduto(QString::fromLatin1(o.CodigoDeBarras), o.Codigo, animal, quantidade, unitario,
                               perc, Texto(desconto), Texto(bruto - desconto));
    somas.Bruto += bruto;
    somas.Desconto += desconto;
}

// The header's totals as the record form sets them: the percentage with two decimals.
void DefinirTotais(clsOrcamentos& orcamento, const Somas& somas) {
    orcamento.ValorTotal = VB::Currency::DeDecimosDeMilesimos(somas.Bruto * 100);
    orcamento.DescontoEmValor = VB::Currency::DeDecimosDeMilesimos(somas.Desconto * 100);
    orcamento.ValorLiquido = VB::Currency::DeDecimosDeMilesimos((somas.Bruto - somas.Desconto) * 100);
    const qint64 centesimos =
        somas.Bruto == 0 ? 0 : (somas.Desconto * 10000 * 2 + somas.Bruto) / (2 * somas.Bruto);
    orcamento.DescontoEmPercentual = VB::Currency::DeDecimosDeMilesimos(centesimos * 100);
}

void Escrever(const QString& linha) {
    std::fputs(qPrintable(linha + u'\n'), stdout);
    std::fflush(stdout);
}

int Adicionar(int quantidade, QRandomGenerator& sorte, QObject* usuario) {
    int falhas = 0;
    for (int i = 0; i < quantidade; ++i) {
        GradeEmMemoria grade;
        Somas somas;
        const int itens = 1 + sorte.bounded(20);
        for (int n = 0; n < itens; ++n)
            SortearItem(sorte, grade, somas);
        auto orcamento = BancoDeTeste::Orcamento(grade, usuario, u"0|0|0|0"_s);
        DefinirTotais(*orcamento, somas);
        const qint16 resultado = orcamento->Adicionar();
        if (resultado != 0) {
            std::fprintf(stderr, "resultado %d: %s%s\n", resultado, qPrintable(orcamento->DescricaoDaFalha),
                         qPrintable(orcamento->DescricaoDoErro));
            ++falhas;
            continue;
        }
        Escrever(u"gravado %1 %2 %3 %4"_s.arg(QString::number(qint64(orcamento->CodigoGerado)),
                                              QString::number(itens), QString::number(somas.Bruto * 100),
                                              QString::number((somas.Bruto - somas.Desconto) * 100)));
    }
    return falhas == 0 ? 0 : 1;
}

int Alterar(double numero, QRandomGenerator& sorte, QObject* usuario, const QString& arquivoDeInicio) {
    // What the record form holds after opening the quote from the list.
    auto itens = Zelt::CriarObjeto<clsOrcItens>(ProgId::OrcItens);
    qint16 tamanho = 20;
    if (itens->Selecionar(1, tamanho, 0, numero).toBool()) {
        Escrever(u"resultado 1\n"_s + itens->ObservacaoDoErro);
        return 1;
    }
    GradeEmMemoria grade = GradeEmMemoria::DaSelecao(*itens->ResultadoDaSelecaoEmRecordSet());
    auto lista = Zelt::CriarObjeto<clsOrcamentos>(ProgId::Orcamentos);
    qint16 pagina = 10;
    lista->Selecionar(1, pagina, 0, QString::number(numero), 0, 0);
    const QVariant lida = lista->ResultadoDaSelecaoEmRecordSet()->Fields(u"DataEHoraDaAlteracao"_s).Value;

    Somas somas;
    for (int linha = 1; linha < grade.Rows(); ++linha) {
        const auto valor = [&](GradeDeItens::Coluna coluna) {
            return VB::CCur(grade.TextMatrix(linha, coluna));
        };
        const VB::Currency bruto = valor(GradeDeItens::Quantidade) * valor(GradeDeItens::ValorUnitario);
        somas.Bruto += bruto.DecimosDeMilesimos() / 100;
        somas.Desconto += valor(GradeDeItens::ValorDeDesconto).DecimosDeMilesimos() / 100;
    }
    const int novos = 1 + sorte.bounded(3);
    for (int n = 0; n < novos; ++n)
        SortearItem(sorte, grade, somas);

    auto orcamento = BancoDeTeste::Orcamento(grade, usuario, u"0|0|0|0"_s, numero);
    DefinirTotais(*orcamento, somas);
    orcamento->DataEHoraDaAlteracaoLida = VB::IsNull(lida) ? QString() : VB::CStr(lida);
    // Both workstations have read the quote; now they save at the same moment.
    Escrever(u"lido"_s);
    while (!arquivoDeInicio.isEmpty() && !QFile::exists(arquivoDeInicio))
        QThread::msleep(2);
    const qint16 resultado = orcamento->Alterar();
    Escrever(u"resultado %1"_s.arg(resultado));
    if (resultado != 0) Escrever(orcamento->DescricaoDaFalha + orcamento->DescricaoDoErro);
    return resultado == 0 || resultado == 3 ? 0 : 1;
}

int Restaurar(const QString& numeros, QObject* usuario) {
    usuario->setProperty("Administrador", true);
    int falhas = 0;
    for (const QString& numero : numeros.split(u',')) {
        auto historico = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsHistorico>(ProgId::Historico);
        historico->DadosDoUsuario = usuario;
        const qint16 resultado = historico->Restaurar(numero.toDouble());
        Escrever(u"resultado %1 %2"_s.arg(QString::number(resultado), numero));
        if (resultado != 0) Escrever(historico->DescricaoDaFalha + historico->DescricaoDoErro);
        if (resultado != 0 && resultado != 3) ++falhas;
    }
    return falhas == 0 ? 0 : 1;
}

int Responder(bool aprovar, double numero, QObject* usuario, const QString& arquivoDeInicio) {
    auto etapas = Zelt::CriarObjeto<ZELT_N_Orcamentos::clsEtapasDoOrcamento>(ProgId::EtapasDoOrcamento);
    etapas->DadosDoUsuario = usuario;
    if (etapas->Ler(numero) != 0) return 1;
    Escrever(u"lido"_s);
    while (!arquivoDeInicio.isEmpty() && !QFile::exists(arquivoDeInicio))
        QThread::msleep(2);
    const qint16 resultado = aprovar ? etapas->RegistrarAprovacao(numero, u"Maria"_s, u"Telefone"_s, false)
                                     : etapas->RegistrarRecusa(numero, u"Preço"_s, QString());
    Escrever(u"resultado %1"_s.arg(resultado));
    if (resultado != 0) Escrever(etapas->DescricaoDaFalha + etapas->DescricaoDoErro);
    return resultado == 0 || resultado == 3 ? 0 : 1;
}

// Pays 150,00 by Pix against an approved quote when the start file appears.
int Pagar(double numero, QObject* usuario, const QString& arquivoDeInicio) {
    auto aprovacao =
        Zelt::CriarObjeto<ZELT_N_Orcamentos::clsAprovacaoDoOrcamento>(ProgId::AprovacaoDoOrcamento);
    aprovacao->DadosDoUsuario = usuario;
    Escrever(u"lido"_s);
    while (!arquivoDeInicio.isEmpty() && !QFile::exists(arquivoDeInicio))
        QThread::msleep(2);
    const qint16 resultado =
        aprovacao->RegistrarPagamento(numero, VB::Currency::DeInteiro(150), u"Pix"_s, u"E1234"_s);
    Escrever(u"resultado %1"_s.arg(resultado));
    if (resultado != 0) Escrever(aprovacao->DescricaoDaFalha + aprovacao->DescricaoDoErro);
    return resultado == 0 || resultado == 2 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication aplicacao(argc, argv);
    QCommandLineParser parametros;
    parametros.addOption({u"banco"_s, u"SQLite file."_s, u"arquivo"_s});
    parametros.addOption({u"url"_s, u"PostgreSQL URL."_s, u"url"_s});
    parametros.addOption({u"usuario"_s, u"User name."_s, u"nome"_s, u"GRAVADOR"_s});
    parametros.addOption({u"semente"_s, u"Random seed."_s, u"n"_s, u"1"_s});
    parametros.addOption({u"inicio"_s, u"Start when this file exists."_s, u"arquivo"_s});
    parametros.process(aplicacao);
    const QStringList posicionais = parametros.positionalArguments();
    if (posicionais.size() != 2) {
        std::fputs(qPrintable(parametros.helpText()), stderr);
        return 2;
    }

    Negocio::Configuracao configuracao;
    configuracao.ArquivoSQLite = parametros.value(u"banco"_s);
    configuracao.UrlPostgreSQL = parametros.value(u"url"_s);
    configuracao.CriarDadosDeDemonstracao = false;
    if (const auto erro = ErroDe([&] { Negocio::Iniciar(configuracao); }); erro.Numero() != 0) {
        std::fprintf(stderr, "%s\n", qPrintable(erro.Descricao()));
        return 1;
    }
    QRandomGenerator sorte(parametros.value(u"semente"_s).toUInt());
    auto usuario = BancoDeTeste::Usuario(parametros.value(u"usuario"_s));
    const QString inicio = parametros.value(u"inicio"_s);

    int codigo = 2;
    if (posicionais.at(0) == QLatin1String("adicionar")) {
        while (!inicio.isEmpty() && !QFile::exists(inicio))
            QThread::msleep(2);
        codigo = Adicionar(posicionais.at(1).toInt(), sorte, usuario.get());
    } else if (posicionais.at(0) == QLatin1String("alterar")) {
        codigo = Alterar(posicionais.at(1).toDouble(), sorte, usuario.get(), inicio);
    } else if (posicionais.at(0) == QLatin1String("aprovar") ||
               posicionais.at(0) == QLatin1String("recusar")) {
        codigo = Responder(posicionais.at(0) == QLatin1String("aprovar"), posicionais.at(1).toDouble(),
                           usuario.get(), inicio);
    } else if (posicionais.at(0) == QLatin1String("pagar")) {
        codigo = Pagar(posicionais.at(1).toDouble(), usuario.get(), inicio);
    } else if (posicionais.at(0) == QLatin1String("restaurar")) {
        Escrever(u"lido"_s);
        while (!inicio.isEmpty() && !QFile::exists(inicio))
            QThread::msleep(2);
        codigo = Restaurar(posicionais.at(1), usuario.get());
    }
    Negocio::Encerrar();
    return codigo;
}
