#include "business/Cadastros.h"

#include "business/Banco.h"

#include <QStringList>

namespace Cadastros {
namespace {

QVariant DataOuNulo(const QDate& data) {
    return data.isValid() ? QVariant(Banco::DataIso(data)) : Banco::Nulo();
}

void Gravar(const QString& tabela, const QString& chave, const QStringList& colunas,
            const QVariantList& valores) {
    Banco::Executar(Banco::DialetoAtual().InsercaoOuAtualizacao(tabela, colunas, chave), valores);
}

// The key of a group (or subgroup) named so, created on first use.
QVariant ChaveDoNome(const QString& sqlProcura, const QString& sqlInsercao, const QVariantList& parametros) {
    const QVariant existente = Banco::Valor(sqlProcura, parametros);
    if (existente.isValid()) return existente;
    return Banco::InserirComChave(sqlInsercao, parametros, QStringLiteral("Codigo"));
}

} // namespace

QString EnderecoCompleto(const EnderecoPostal& e) {
    QStringList partes;
    QString rua = e.Logradouro.trimmed();
    if (!e.Numero.trimmed().isEmpty()) rua += QStringLiteral(", ") + e.Numero.trimmed();
    if (!rua.isEmpty()) partes << rua;
    if (!e.Complemento.trimmed().isEmpty()) partes << e.Complemento.trimmed();
    if (!e.Bairro.trimmed().isEmpty()) partes << e.Bairro.trimmed();
    QString cidade = e.Cidade.trimmed();
    if (!e.UF.trimmed().isEmpty())
        cidade += (cidade.isEmpty() ? QString() : QStringLiteral("/")) + e.UF.trimmed();
    if (!cidade.isEmpty()) partes << cidade;
    if (!e.CEP.trimmed().isEmpty()) partes << QStringLiteral("CEP ") + e.CEP.trimmed();
    return partes.join(QStringLiteral(" - "));
}

QString TiposECanaisDeComunicacao(const QString& telefone, const QString& celular, const QString& email) {
    QStringList canais;
    if (!telefone.trimmed().isEmpty()) canais << QStringLiteral("Telefone: ") + telefone.trimmed();
    if (!celular.trimmed().isEmpty()) canais << QStringLiteral("Celular: ") + celular.trimmed();
    if (!email.trimmed().isEmpty()) canais << QStringLiteral("E-mail: ") + email.trimmed();
    return canais.join(QStringLiteral("; "));
}

void GravarEmpresa(const Empresa& x) {
    Gravar(QStringLiteral("Empresa"), QStringLiteral("Codigo"),
           {QStringLiteral("Codigo"),
            QStringLiteral("NomeFantasia"),
            QStringLiteral("RazaoSocial"),
            QStringLiteral("CNPJ"),
            QStringLiteral("InscricaoEstadual"),
            QStringLiteral("Logradouro"),
            QStringLiteral("Numero"),
            QStringLiteral("Complemento"),
            QStringLiteral("Bairro"),
            QStringLiteral("Cidade"),
            QStringLiteral("UF"),
            QStringLiteral("CEP"),
            QStringLiteral("Telefone"),
            QStringLiteral("Email"),
            QStringLiteral("QuantidadeDeDiasParaAValidadeDoOrcamento"),
            QStringLiteral("PermissaoParaAlterarADataDeValidadeDoOrcamento"),
            QStringLiteral("DataInicialDaPromocao"),
            QStringLiteral("DataFinalDaPromocao"),
            QStringLiteral("PercPromocaoDeDescontoNaVendaDeServico"),
            QStringLiteral("PercPromocaoDeDescontoNaVendaDeProduto"),
            QStringLiteral("FormatoDeCodigoDeBarrasParaBalanca")},
           {x.Codigo,
            x.NomeFantasia,
            x.RazaoSocial,
            x.CNPJ,
            x.InscricaoEstadual,
            x.Endereco.Logradouro,
            x.Endereco.Numero,
            x.Endereco.Complemento,
            x.Endereco.Bairro,
            x.Endereco.Cidade,
            x.Endereco.UF,
            x.Endereco.CEP,
            x.Telefone,
            x.Email,
            x.QuantidadeDeDiasParaAValidadeDoOrcamento,
            x.PermissaoParaAlterarADataDeValidadeDoOrcamento ? 1 : 0,
            DataOuNulo(x.DataInicialDaPromocao),
            DataOuNulo(x.DataFinalDaPromocao),
            Banco::Moeda(x.PercPromocaoDeDescontoNaVendaDeServico),
            Banco::Moeda(x.PercPromocaoDeDescontoNaVendaDeProduto),
            x.FormatoDeCodigoDeBarrasParaBalanca});
}

const QStringList& ColunasDeEndereco() {
    static const QStringList colunas{QStringLiteral("Logradouro"),  QStringLiteral("Numero"),
                                     QStringLiteral("Complemento"), QStringLiteral("Bairro"),
                                     QStringLiteral("Cidade"),      QStringLiteral("UF"),
                                     QStringLiteral("CEP")};
    return colunas;
}

const QStringList& ColunasDePercentuais() {
    static const QStringList colunas{QStringLiteral("PercentualDeDescontoEmClinicos"),
                                     QStringLiteral("PercentualDeDescontoEmCirurgiaSimples"),
                                     QStringLiteral("PercentualDeDescontoEmCirurgiaMedia"),
                                     QStringLiteral("PercentualDeDescontoEmCirurgiaComplexa"),
                                     QStringLiteral("PercentualDeDescontoEmBanhosTosasEEsteticas"),
                                     QStringLiteral("PercentualDeDescontoEmHospedagens"),
                                     QStringLiteral("PercentualDeDescontoEmAdestramentos"),
                                     QStringLiteral("PercentualDeDescontoEmOutros")};
    return colunas;
}

const QStringList& ColunasDoCliente() {
    static const QStringList colunas =
        QStringList{QStringLiteral("CodigoDoCliente"),   QStringLiteral("ApelidoOuNomeFantasia"),
                    QStringLiteral("NomeOuRazaoSocial"), QStringLiteral("ApelidoNormalizado"),
                    QStringLiteral("NomeNormalizado"),   QStringLiteral("CPFOuCNPJ"),
                    QStringLiteral("Situacao")} +
        ColunasDeEndereco() +
        QStringList{QStringLiteral("EnderecoCompleto"),
                    QStringLiteral("Telefone"),
                    QStringLiteral("Celular"),
                    QStringLiteral("Email"),
                    QStringLiteral("TiposECanaisDeComunicacao"),
                    QStringLiteral("Credito"),
                    QStringLiteral("VIP"),
                    QStringLiteral("CategoriaDaCurvaABC"),
                    QStringLiteral("DescontoUnico"),
                    QStringLiteral("PercentualUnicoDeDescontos")} +
        ColunasDePercentuais();
    return colunas;
}

QVariantList ValoresDoCliente(const Cliente& x) {
    QVariantList valores{x.CodigoDoCliente,
                         x.ApelidoOuNomeFantasia.trimmed(),
                         x.NomeOuRazaoSocial.trimmed(),
                         Banco::TextoDePesquisa(x.ApelidoOuNomeFantasia),
                         Banco::TextoDePesquisa(x.NomeOuRazaoSocial),
                         x.CPFOuCNPJ,
                         x.Situacao,
                         x.Endereco.Logradouro,
                         x.Endereco.Numero,
                         x.Endereco.Complemento,
                         x.Endereco.Bairro,
                         x.Endereco.Cidade,
                         x.Endereco.UF,
                         x.Endereco.CEP,
                         EnderecoCompleto(x.Endereco),
                         x.Telefone,
                         x.Celular,
                         x.Email,
                         TiposECanaisDeComunicacao(x.Telefone, x.Celular, x.Email),
                         Banco::Moeda(x.Credito),
                         x.VIP ? 1 : 0,
                         x.CategoriaDaCurvaABC,
                         x.DescontoUnico ? 1 : 0,
                         Banco::Moeda(x.PercentualUnicoDeDescontos)};
    for (const VB::Currency percentual : x.Percentuais)
        valores << Banco::Moeda(percentual);
    return valores;
}

void GravarCliente(const Cliente& x) {
    Gravar(QStringLiteral("Clientes"), QStringLiteral("CodigoDoCliente"), ColunasDoCliente(),
           ValoresDoCliente(x));
}

void GravarAnimal(const Animal& x) {
    Gravar(QStringLiteral("Animais"), QStringLiteral("Codigo"),
           {QStringLiteral("Codigo"), QStringLiteral("CodigoDoCliente"), QStringLiteral("Nome"),
            QStringLiteral("Especie"), QStringLiteral("Raca"), QStringLiteral("Sexo"),
            QStringLiteral("DataDeNascimento"), QStringLiteral("Situacao")},
           {x.Codigo, x.CodigoDoCliente, x.Nome.trimmed(), x.Especie, x.Raca, x.Sexo,
            DataOuNulo(x.DataDeNascimento), x.Situacao});
}

void GravarProduto(const Produto& x) {
    QVariant grupo = Banco::Nulo();
    QVariant subgrupo = Banco::Nulo();
    if (!x.NomeDoGrupo.trimmed().isEmpty()) {
        grupo = ChaveDoNome(QStringLiteral("SELECT Codigo FROM GruposDeProdutos WHERE Nome = ?"),
                            QStringLiteral("INSERT INTO GruposDeProdutos (Nome) VALUES (?)"),
                            {x.NomeDoGrupo.trimmed()});
        if (!x.NomeDoSubgrupo.trimmed().isEmpty())
            subgrupo = ChaveDoNome(
                QStringLiteral("SELECT Codigo FROM SubgruposDeProdutos WHERE CodigoDoGrupo = ? AND Nome = ?"),
                QStringLiteral("INSERT INTO SubgruposDeProdutos (CodigoDoGrupo, Nome) VALUES (?, ?)"),
                {grupo, x.NomeDoSubgrupo.trimmed()});
    }
    Gravar(QStringLiteral("Produtos"), QStringLiteral("CodigoInterno"),
           {QStringLiteral("CodigoInterno"), QStringLiteral("CodigoDeBarras"), QStringLiteral("Nome"),
            QStringLiteral("NomeNormalizado"), QStringLiteral("CodigoDoGrupo"),
            QStringLiteral("CodigoDoSubgrupo"), QStringLiteral("ValorDeCusto"),
            QStringLiteral("UnidadeDeCompra"), QStringLiteral("UnidadeDeVenda"),
            QStringLiteral("ValorDeVenda"), QStringLiteral("PercentualDeComissao"),
            QStringLiteral("VendidoPorEtiquetaDeBalanca"), QStringLiteral("Situacao")},
           {x.CodigoInterno, Banco::TextoOuNulo(x.CodigoDeBarras.trimmed()), x.Nome.trimmed(),
            Banco::TextoDePesquisa(x.Nome), grupo, subgrupo, Banco::Moeda(x.ValorDeCusto), x.UnidadeDeCompra,
            x.UnidadeDeVenda, Banco::Moeda(x.ValorDeVenda), Banco::Moeda(x.PercentualDeComissao),
            x.VendidoPorEtiquetaDeBalanca ? 1 : 0, x.Situacao});
}

void GravarTipoDeServico(const TipoDeServico& x) {
    Gravar(QStringLiteral("TiposDeServicos"), QStringLiteral("Numero"),
           {QStringLiteral("Numero"), QStringLiteral("Nome")}, {x.Numero, x.Nome.trimmed()});
}

void GravarServico(const Servico& x) {
    Gravar(QStringLiteral("Servicos"), QStringLiteral("Codigo"),
           {QStringLiteral("Codigo"), QStringLiteral("Nome"), QStringLiteral("NomeNormalizado"),
            QStringLiteral("Descricao"), QStringLiteral("NumeroDoTipoDeServico"), QStringLiteral("Custo"),
            QStringLiteral("ValorDeVenda"), QStringLiteral("Situacao")},
           {x.Codigo, x.Nome.trimmed(), Banco::TextoDePesquisa(x.Nome), x.Descricao, x.NumeroDoTipoDeServico,
            Banco::Moeda(x.Custo), Banco::Moeda(x.ValorDeVenda), x.Situacao});
}

} // namespace Cadastros
