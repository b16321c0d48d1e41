#include "business/DadosDeDemonstracao.h"

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "business/GravacaoDeOrcamentos.h"
#include "business/PacotesDeProcedimentos.h"
#include "business/Relogio.h"
#include "contracts/Textos.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <random>

namespace DadosDeDemonstracao {
namespace {

using VB::Currency;

// A draw that gives the same numbers on every platform: mt19937's output is fixed
// by the C++ standard (its distributions are not, so they are not used).
class Sorteio {
public:
    explicit Sorteio(quint32 semente) : mgerador(semente) {}
    int Entre(int minimo, int maximo) {
        return minimo + static_cast<int>(mgerador() % quint32(maximo - minimo + 1));
    }
    bool Chance(int porCento) { return Entre(1, 100) <= porCento; }
    QString Um(const QStringList& lista) { return lista.at(Entre(0, static_cast<int>(lista.size()) - 1)); }
    QString Digitos(int quantos) { return Mascara(QString(quantos, u'#')); }
    // Each "#" becomes a digit, left to right.
    QString Mascara(QString mascara) {
        for (QChar& c : mascara)
            if (c == u'#') c = QChar(u'0' + Entre(0, 9));
        return mascara;
    }

private:
    std::mt19937 mgerador;
};

Currency Reais(double valor) {
    return Currency::DeDouble(valor);
}
// A value rounded to cents as the forms show it.
Currency EmCentavos(double valor) {
    return VB::CCur(VB::Format(valor, QStringLiteral("#,##0.00")));
}

const QStringList NomesMasculinos{
    QStringLiteral("João"),    QStringLiteral("José"),     QStringLiteral("Antônio"),
    QStringLiteral("Carlos"),  QStringLiteral("Paulo"),    QStringLiteral("Pedro"),
    QStringLiteral("Lucas"),   QStringLiteral("Luiz"),     QStringLiteral("Marcos"),
    QStringLiteral("Gabriel"), QStringLiteral("Rafael"),   QStringLiteral("Daniel"),
    QStringLiteral("Marcelo"), QStringLiteral("Bruno"),    QStringLiteral("Eduardo"),
    QStringLiteral("Felipe"),  QStringLiteral("Rodrigo"),  QStringLiteral("Sérgio"),
    QStringLiteral("Fábio"),   QStringLiteral("Vinícius"), QStringLiteral("André"),
    QStringLiteral("Otávio"),  QStringLiteral("Raimundo"), QStringLiteral("Benedito")};
const QStringList NomesFemininos{
    QStringLiteral("Maria"),     QStringLiteral("Ana"),      QStringLiteral("Francisca"),
    QStringLiteral("Antônia"),   QStringLiteral("Adriana"),  QStringLiteral("Juliana"),
    QStringLiteral("Márcia"),    QStringLiteral("Fernanda"), QStringLiteral("Patrícia"),
    QStringLiteral("Aline"),     QStringLiteral("Sandra"),   QStringLiteral("Camila"),
    QStringLiteral("Cecília"),   QStringLiteral("Lúcia"),    QStringLiteral("Inês"),
    QStringLiteral("Conceição"), QStringLiteral("Beatriz"),  QStringLiteral("Letícia"),
    QStringLiteral("Débora"),    QStringLiteral("Mônica"),   QStringLiteral("Vitória"),
    QStringLiteral("Luíza"),     QStringLiteral("Helena"),   QStringLiteral("Sônia")};
const QStringList Sobrenomes{
    QStringLiteral("Silva"),     QStringLiteral("Santos"),    QStringLiteral("Oliveira"),
    QStringLiteral("Souza"),     QStringLiteral("Rodrigues"), QStringLiteral("Ferreira"),
    QStringLiteral("Alves"),     QStringLiteral("Pereira"),   QStringLiteral("Lima"),
    QStringLiteral("Gomes"),     QStringLiteral("Ribeiro"),   QStringLiteral("Carvalho"),
    QStringLiteral("Araújo"),    QStringLiteral("Gonçalves"), QStringLiteral("Simões"),
    QStringLiteral("Magalhães"), QStringLiteral("Brandão"),   QStringLiteral("Conceição"),
    QStringLiteral("Assunção"),  QStringLiteral("Monteiro"),  QStringLiteral("Barbosa"),
    QStringLiteral("Rocha"),     QStringLiteral("Nogueira"),  QStringLiteral("Falcão")};
// The particle a surname takes in a full name ("Ana da Silva"), when it takes one.
const QHash<QString, QString> Conectivos{{QStringLiteral("Silva"), QStringLiteral("da ")},
                                         {QStringLiteral("Santos"), QStringLiteral("dos ")},
                                         {QStringLiteral("Oliveira"), QStringLiteral("de ")},
                                         {QStringLiteral("Souza"), QStringLiteral("de ")},
                                         {QStringLiteral("Conceição"), QStringLiteral("da ")},
                                         {QStringLiteral("Assunção"), QStringLiteral("da ")},
                                         {QStringLiteral("Carvalho"), QStringLiteral("de ")},
                                         {QStringLiteral("Lima"), QStringLiteral("de ")},
                                         {QStringLiteral("Rocha"), QStringLiteral("da ")},
                                         {QStringLiteral("Magalhães"), QStringLiteral("de ")}};
const QStringList EmpresasClientes{
    QStringLiteral("Canil Vale Verde|Vale Verde Criação de Cães Ltda."),
    QStringLiteral("Pet Shop Amigo Fiel|Amigo Fiel Comércio de Produtos Pet Ltda."),
    QStringLiteral("Haras São Jorge|Agropecuária São Jorge S.A."),
    QStringLiteral("Gatil Olhos Azuis|Olhos Azuis Criação de Felinos ME"),
    QStringLiteral("Fazenda Boa Esperança|Boa Esperança Agropecuária Ltda."),
    QStringLiteral("Hotelzinho Patas & Cia|Patas e Companhia Serviços para Animais Ltda."),
    QStringLiteral("ONG Focinhos Unidos|Associação Protetora Focinhos Unidos"),
    QStringLiteral("Canil Império do Sul|Império do Sul Cães de Raça EIRELI"),
    QStringLiteral("Sítio Três Irmãos|Três Irmãos Produtos Rurais ME"),
    QStringLiteral("Pet Center Jardim|Jardim Pet Center Comércio Ltda.")};
const QStringList Ruas{QStringLiteral("Rua das Flores"),       QStringLiteral("Avenida Brasil"),
                       QStringLiteral("Rua Barão de Jaguara"), QStringLiteral("Rua José Paulino"),
                       QStringLiteral("Avenida Norte-Sul"),    QStringLiteral("Rua Coronel Quirino"),
                       QStringLiteral("Rua Conceição"),        QStringLiteral("Avenida Júlio de Mesquita"),
                       QStringLiteral("Rua Sete de Setembro"), QStringLiteral("Rua Dom Pedro II"),
                       QStringLiteral("Rua São Benedito"),     QStringLiteral("Avenida Orosimbo Maia"),
                       QStringLiteral("Rua Antônio Cezarino"), QStringLiteral("Rua Guilherme da Silva"),
                       QStringLiteral("Travessa dos Ipês"),    QStringLiteral("Alameda das Palmeiras")};
const QStringList Bairros{QStringLiteral("Centro"),          QStringLiteral("Cambuí"),
                          QStringLiteral("Taquaral"),        QStringLiteral("Jardim Chapadão"),
                          QStringLiteral("Vila Industrial"), QStringLiteral("Botafogo"),
                          QStringLiteral("Barão Geraldo"),   QStringLiteral("Jardim Proença"),
                          QStringLiteral("Nova Campinas"),   QStringLiteral("Parque Itália")};
const QStringList Cidades{
    QStringLiteral("Campinas"),    QStringLiteral("Campinas"), QStringLiteral("Campinas"),
    QStringLiteral("Valinhos"),    QStringLiteral("Vinhedo"),  QStringLiteral("Sumaré"),
    QStringLiteral("Hortolândia"), QStringLiteral("Paulínia"), QStringLiteral("Indaiatuba")};
const QStringList Complementos{QStringLiteral("Apto 12"), QStringLiteral("Apto 304"),
                               QStringLiteral("Casa 2"), QStringLiteral("Bloco B, apto 21"),
                               QStringLiteral("Fundos")};
const QStringList NomesDeAnimais{
    QStringLiteral("Rex"),    QStringLiteral("Luna"),    QStringLiteral("Thor"),
    QStringLiteral("Mel"),    QStringLiteral("Bob"),     QStringLiteral("Nina"),
    QStringLiteral("Pipoca"), QStringLiteral("Bidu"),    QStringLiteral("Amora"),
    QStringLiteral("Fred"),   QStringLiteral("Belinha"), QStringLiteral("Tobias"),
    QStringLiteral("Paçoca"), QStringLiteral("Frajola"), QStringLiteral("Mimi"),
    QStringLiteral("Zeca"),   QStringLiteral("Lola"),    QStringLiteral("Chico"),
    QStringLiteral("Jade"),   QStringLiteral("Simba"),   QStringLiteral("Pretinha"),
    QStringLiteral("Café"),   QStringLiteral("Bolinha"), QStringLiteral("Órion")};
const QStringList RacasDeCaes{
    QStringLiteral("Sem raça definida"), QStringLiteral("Labrador"),        QStringLiteral("Poodle"),
    QStringLiteral("Shih-tzu"),          QStringLiteral("Pastor alemão"),   QStringLiteral("Yorkshire"),
    QStringLiteral("Golden retriever"),  QStringLiteral("Buldogue francês")};
const QStringList RacasDeGatos{QStringLiteral("Sem raça definida"), QStringLiteral("Siamês"),
                               QStringLiteral("Persa"), QStringLiteral("Maine coon")};
const QStringList Usuarios{QStringLiteral("ADMIN"), QStringLiteral("MARIA.RECEPCAO"),
                           QStringLiteral("DR.JOAO"), QStringLiteral("DRA.CECILIA")};

// A CPF with its two check digits right.
QString Cpf(Sorteio& sorteio) {
    QString d;
    for (int i = 0; i < 9; ++i)
        d += QChar(u'0' + sorteio.Entre(0, 9));
    d += Textos::DigitosVerificadores(d);
    return d.left(3) + u'.' + d.mid(3, 3) + u'.' + d.mid(6, 3) + u'-' + d.right(2);
}

// An EAN-13 of a Brazilian maker (prefix 789) with its check digit.
QString Ean13(Sorteio& sorteio) {
    QString codigo = QStringLiteral("789") + sorteio.Digitos(9);
    int soma = 0;
    for (int i = 0; i < 12; ++i)
        soma += (codigo.at(i).unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    return codigo + QChar(u'0' + (10 - soma % 10) % 10);
}

QString Email(const QString& nome) {
    QString local = Banco::TextoDePesquisa(nome);
    local.replace(u' ', u'.');
    local.remove(QRegularExpression(QStringLiteral("[^a-z0-9.]")));
    return local + QStringLiteral("@exemplo.com.br");
}

Cadastros::Empresa Empresa() {
    Cadastros::Empresa e;
    e.Codigo = 1;
    e.NomeFantasia = QStringLiteral("Clínica Veterinária Bicho Feliz");
    e.RazaoSocial = QStringLiteral("Bicho Feliz Serviços Veterinários Ltda.");
    e.CNPJ = QStringLiteral("12.345.678/0001-95");
    e.InscricaoEstadual = QStringLiteral("244.123.456.110");
    e.Endereco = {QStringLiteral("Rua Barão de Jaguara"),
                  QStringLiteral("1250"),
                  QString(),
                  QStringLiteral("Centro"),
                  QStringLiteral("Campinas"),
                  QStringLiteral("SP"),
                  QStringLiteral("13015-002")};
    e.Telefone = QStringLiteral("(19) 3232-4545");
    e.Email = QStringLiteral("contato@bichofeliz.com.br");
    e.QuantidadeDeDiasParaAValidadeDoOrcamento = 15;
    e.PermissaoParaAlterarADataDeValidadeDoOrcamento = true;
    e.DataInicialDaPromocao = Relogio::Hoje().addDays(-3);
    e.DataFinalDaPromocao = Relogio::Hoje().addDays(7);
    e.PercPromocaoDeDescontoNaVendaDeServico = Currency::DeInteiro(10);
    e.PercPromocaoDeDescontoNaVendaDeProduto = Currency::DeInteiro(5);
    e.FormatoDeCodigoDeBarrasParaBalanca = 2;
    return e;
}

struct ClienteCriado {
    Cadastros::Cliente Cliente;
    QList<qint64> Animais;
};

QList<ClienteCriado> CriarClientes(Sorteio& sorteio) {
    QList<ClienteCriado> criados;
    qint64 proximoAnimal = 1;
    for (int i = 1; i <= 200; ++i) {
        Cadastros::Cliente c;
        c.CodigoDoCliente = i;
        if (i % 20 == 7) {
            const QStringList partes = EmpresasClientes.at((i / 20) % EmpresasClientes.size()).split(u'|');
            c.ApelidoOuNomeFantasia = partes.at(0);
            c.NomeOuRazaoSocial = partes.at(1);
            c.CPFOuCNPJ = sorteio.Mascara(QStringLiteral("##.###.###/0001-##"));
        } else {
            const bool feminino = sorteio.Chance(50);
            const QString primeiro = sorteio.Um(feminino ? NomesFemininos : NomesMasculinos);
            const QString meio = sorteio.Chance(40)
                                     ? sorteio.Um(feminino ? NomesFemininos : NomesMasculinos) + u' '
                                     : QString();
            const QString sobrenome1 = sorteio.Um(Sobrenomes);
            const QString sobrenome2 = sorteio.Um(Sobrenomes);
            const QString conectivo = sorteio.Chance(50) ? Conectivos.value(sobrenome1) : QString();
            c.NomeOuRazaoSocial = primeiro + u' ' + meio + conectivo + sobrenome1 + u' ' + sobrenome2;
            c.ApelidoOuNomeFantasia = primeiro + u' ' + sobrenome2;
            c.CPFOuCNPJ = Cpf(sorteio);
        }
        const int situacao = sorteio.Entre(1, 100);
        c.Situacao = situacao <= 85 ? 1 : situacao <= 90 ? 2 : situacao <= 95 ? 3 : 4;
        const QString cidade = sorteio.Um(Cidades);
        c.Endereco = {sorteio.Um(Ruas),
                      QString::number(sorteio.Entre(1, 3000)),
                      sorteio.Chance(30) ? sorteio.Um(Complementos) : QString(),
                      sorteio.Um(Bairros),
                      cidade,
                      QStringLiteral("SP"),
                      sorteio.Mascara(QStringLiteral("13###-###"))};
        if (sorteio.Chance(60)) c.Telefone = sorteio.Mascara(QStringLiteral("(19) 3###-####"));
        if (sorteio.Chance(90)) c.Celular = sorteio.Mascara(QStringLiteral("(19) 9####-####"));
        if (sorteio.Chance(70)) c.Email = Email(c.ApelidoOuNomeFantasia);
        c.Credito = Currency::DeInteiro(sorteio.Entre(0, 40) * 50);
        c.VIP = sorteio.Chance(15);
        const int categoria = sorteio.Entre(1, 100);
        c.CategoriaDaCurvaABC = categoria <= 20   ? QStringLiteral("A")
                                : categoria <= 50 ? QStringLiteral("B")
                                                  : QStringLiteral("C");
        if (sorteio.Chance(10)) {
            c.DescontoUnico = true;
            c.PercentualUnicoDeDescontos = Currency::DeInteiro(5 * sorteio.Entre(1, 3));
        } else {
            for (Currency& percentual : c.Percentuais)
                if (sorteio.Chance(40)) percentual = Currency::DeInteiro(5 * sorteio.Entre(1, 4));
        }
        Cadastros::GravarCliente(c);

        ClienteCriado criado{c, {}};
        const int sorteioDeAnimais = sorteio.Entre(1, 100);
        const int animais = sorteioDeAnimais <= 15 ? 0 : sorteioDeAnimais <= 65 ? 1 : sorteio.Entre(2, 4);
        for (int a = 0; a < animais; ++a) {
            Cadastros::Animal animal;
            animal.Codigo = proximoAnimal++;
            animal.CodigoDoCliente = c.CodigoDoCliente;
            animal.Nome = sorteio.Um(NomesDeAnimais);
            const int especie = sorteio.Entre(1, 100);
            animal.Especie = especie <= 60   ? QStringLiteral("Cão")
                             : especie <= 90 ? QStringLiteral("Gato")
                                             : QStringLiteral("Coelho");
            animal.Raca = especie <= 60   ? sorteio.Um(RacasDeCaes)
                          : especie <= 90 ? sorteio.Um(RacasDeGatos)
                                          : QStringLiteral("Mini lion");
            animal.Sexo = sorteio.Chance(50) ? QStringLiteral("Macho") : QStringLiteral("Fêmea");
            animal.DataDeNascimento = Relogio::Hoje().addDays(-sorteio.Entre(60, 5000));
            animal.Situacao = sorteio.Chance(5) ? 2 : 1;
            Cadastros::GravarAnimal(animal);
            if (animal.Situacao == 1) criado.Animais << animal.Codigo;
        }
        criados << criado;
    }
    return criados;
}

struct ProdutoModelo {
    const char* Nome;
    const char* Grupo;
    const char* Subgrupo;
    double Custo;
    double Venda;
    const char* Unidade;
    bool Balanca;
};

const ProdutoModelo Produtos[] = {
    {"Ração Premium Cães Adultos 15 kg", "Rações", "Cães", 145.00, 219.90, "SC", false},
    {"Ração Premium Cães Filhotes 3 kg", "Rações", "Cães", 38.50, 59.90, "PC", false},
    {"Ração Super Premium Gatos Castrados 1 kg", "Rações", "Gatos", 24.80, 42.50, "PC", false},
    {"Ração Gatos Adultos Salmão 10 kg", "Rações", "Gatos", 99.00, 159.90, "SC", false},
    {"Ração a granel Cães Adultos (kg)", "Rações", "A granel", 9.20, 16.90, "KG", true},
    {"Ração a granel Gatos (kg)", "Rações", "A granel", 11.40, 19.90, "KG", true},
    {"Alpiste a granel (kg)", "Rações", "A granel", 6.10, 12.50, "KG", true},
    {"Petisco Bifinho Carne 65 g", "Petiscos", "Cães", 3.90, 7.90, "UN", false},
    {"Osso de couro nº 8", "Petiscos", "Cães", 4.30, 9.50, "UN", false},
    {"Petisco Sachê Gatos Frango 85 g", "Petiscos", "Gatos", 1.90, 3.99, "UN", false},
    {"Biscoito canino a granel (kg)", "Petiscos", "A granel", 14.00, 27.90, "KG", true},
    {"Vermífugo Cães até 10 kg", "Medicamentos", "Vermífugos", 18.00, 32.90, "CX", false},
    {"Vermífugo Gatos", "Medicamentos", "Vermífugos", 15.50, 28.50, "CX", false},
    {"Antipulgas Cães 10 a 25 kg", "Medicamentos", "Antiparasitários", 52.00, 89.90, "CX", false},
    {"Coleira Antipulgas Gatos", "Medicamentos", "Antiparasitários", 41.00, 74.90, "UN", false},
    {"Anti-inflamatório 10 comprimidos", "Medicamentos", "Anti-inflamatórios", 22.40, 39.90, "CX", false},
    {"Antibiótico Suspensão 60 ml", "Medicamentos", "Antibióticos", 27.00, 48.90, "FR", false},
    {"Shampoo Neutro 500 ml", "Higiene", "Banho", 12.30, 24.90, "FR", false},
    {"Condicionador Pelos Longos 500 ml", "Higiene", "Banho", 14.10, 27.90, "FR", false},
    {"Areia Sanitária 4 kg", "Higiene", "Gatos", 9.80, 18.90, "PC", false},
    {"Tapete Higiênico 30 unidades", "Higiene", "Cães", 39.00, 69.90, "PC", false},
    {"Escova Dental Dedeira", "Higiene", "Cães", 4.50, 11.90, "UN", false},
    {"Coleira Nylon Média", "Acessórios", "Coleiras e guias", 11.00, 24.90, "UN", false},
    {"Guia Retrátil 5 m", "Acessórios", "Coleiras e guias", 35.00, 69.90, "UN", false},
    {"Comedouro Inox 500 ml", "Acessórios", "Comedouros", 9.90, 21.90, "UN", false},
    {"Cama Pet Média", "Acessórios", "Camas", 62.00, 119.90, "UN", false},
    {"Caixa de Transporte nº 2", "Acessórios", "Transporte", 58.00, 109.90, "UN", false},
    {"Brinquedo Bola de Borracha", "Acessórios", "Brinquedos", 5.20, 12.90, "UN", false},
    {"Arranhador para Gatos", "Acessórios", "Brinquedos", 48.00, 89.90, "UN", false},
    {"Colar Elizabetano nº 3", "Acessórios", "Pós-cirúrgico", 8.70, 19.90, "UN", false},
};

struct ServicoModelo {
    int Tipo;
    const char* Nome;
    const char* Descricao;
    double Venda;
};

const ServicoModelo Servicos[] = {
    {1, "Consulta clínica geral", "Consulta com exame físico completo", 120.00},
    {1, "Consulta de retorno", "Retorno em até 30 dias da consulta", 60.00},
    {1, "Vacina V10", "Vacina polivalente para cães", 90.00},
    {1, "Vacina antirrábica", "Vacina contra a raiva", 70.00},
    {1, "Aplicação de medicamento", "Aplicação injetável", 35.00},
    {1, "Hemograma completo", "Exame de sangue com contagem celular", 85.00},
    {2, "Castração de gato", "Orquiectomia felina", 350.00},
    {2, "Sutura de ferimento", "Limpeza e sutura de ferimento simples", 180.00},
    {2, "Remoção de nódulo simples", "Exérese de nódulo cutâneo", 400.00},
    {2, "Drenagem de abscesso", "Drenagem e limpeza", 250.00},
    {3, "Castração de cadela", "Ovariosalpingohisterectomia", 650.00},
    {3, "Cesariana", "Cesariana com anestesia inalatória", 1200.00},
    {3, "Retirada de corpo estranho", "Enterotomia", 1500.00},
    {4, "Osteossíntese de fêmur", "Correção de fratura com placa", 3500.00},
    {4, "Correção de hérnia diafragmática", "Herniorrafia diafragmática", 2800.00},
    {4, "Cirurgia de coluna", "Descompressão medular", 5000.00},
    {5, "Banho pequeno porte", "Banho com secagem", 45.00},
    {5, "Banho médio porte", "Banho com secagem", 60.00},
    {5, "Banho e tosa grande porte", "Banho, secagem e tosa completa", 110.00},
    {5, "Tosa higiênica", "Tosa de patas, face e região íntima", 35.00},
    {5, "Hidratação de pelagem", "Máscara hidratante", 40.00},
    {6, "Diária de hospedagem pequeno porte", "Hospedagem com alimentação", 70.00},
    {6, "Diária de hospedagem médio porte", "Hospedagem com alimentação", 90.00},
    {6, "Diária de hospedagem grande porte", "Hospedagem com alimentação", 110.00},
    {6, "Diária de internação", "Internação com monitoramento", 180.00},
    {7, "Aula de adestramento básico", "Comandos básicos, uma hora", 120.00},
    {7, "Pacote de 10 aulas de adestramento", "Dez aulas semanais", 1000.00},
    {7, "Adestramento comportamental", "Correção de comportamento", 150.00},
    {99, "Microchipagem", "Implante de microchip de identificação", 90.00},
    {99, "Atestado de saúde para viagem", "Atestado e carteira internacional", 150.00},
    {99, "Transporte de animal", "Leva e traz na cidade", 60.00},
};

// A demonstration service stored under that code; its cost is 40 % of its price.
Cadastros::Servico GravarServico(const ServicoModelo& m, qint64 codigo) {
    Cadastros::Servico s;
    s.Codigo = codigo;
    s.Nome = QString::fromUtf8(m.Nome);
    s.Descricao = QString::fromUtf8(m.Descricao);
    s.NumeroDoTipoDeServico = m.Tipo;
    s.ValorDeVenda = Reais(m.Venda);
    s.Custo = EmCentavos(m.Venda * 0.4);
    Cadastros::GravarServico(s);
    return s;
}

struct ItemDeCatalogo {
    qint32 Lancamento;
    qint64 Codigo;
    qint32 Tipo;
    QString Nome, CodigoDeBarras;
    Currency Custo, Venda;
    bool Balanca;
};

QList<ItemDeCatalogo> CriarCatalogo(Sorteio& sorteio) {
    QList<ItemDeCatalogo> catalogo;
    qint64 codigo = 1;
    for (const ProdutoModelo& m : Produtos) {
        Cadastros::Produto p;
        p.CodigoInterno = codigo++;
        p.Nome = QString::fromUtf8(m.Nome);
        p.NomeDoGrupo = QString::fromUtf8(m.Grupo);
        p.NomeDoSubgrupo = QString::fromUtf8(m.Subgrupo);
        p.ValorDeCusto = Reais(m.Custo);
        p.ValorDeVenda = Reais(m.Venda);
        p.UnidadeDeVenda = QString::fromUtf8(m.Unidade);
        p.UnidadeDeCompra = m.Balanca ? QStringLiteral("SC") : p.UnidadeDeVenda;
        p.PercentualDeComissao = Currency::DeInteiro(sorteio.Entre(0, 4) * 2);
        p.VendidoPorEtiquetaDeBalanca = m.Balanca;
        // Scale products are found by the internal code printed on the label.
        if (!m.Balanca) p.CodigoDeBarras = Ean13(sorteio);
        p.Situacao = codigo % 13 == 0 ? 2 : 1;
        Cadastros::GravarProduto(p);
        if (p.Situacao == 1)
            catalogo << ItemDeCatalogo{GradeDeItens::LancamentoDeProduto,
                                       p.CodigoInterno,
                                       0,
                                       p.Nome,
                                       p.CodigoDeBarras,
                                       p.ValorDeCusto,
                                       p.ValorDeVenda,
                                       m.Balanca};
    }
    codigo = 1;
    for (const ServicoModelo& m : Servicos) {
        const Cadastros::Servico s = GravarServico(m, codigo++);
        catalogo << ItemDeCatalogo{GradeDeItens::LancamentoDeServico,
                                   s.Codigo,
                                   m.Tipo,
                                   s.Nome,
                                   QString(),
                                   s.Custo,
                                   s.ValorDeVenda,
                                   false};
    }
    return catalogo;
}

Currency PercentualDoCliente(const Cadastros::Cliente& cliente, qint32 tipo) {
    if (cliente.DescontoUnico) return cliente.PercentualUnicoDeDescontos;
    for (size_t i = 0; i < Cadastros::TiposDeServicoDosPercentuais.size(); ++i)
        if (Cadastros::TiposDeServicoDosPercentuais.at(i) == tipo) return cliente.Percentuais.at(i);
    return {};
}

GravacaoDeOrcamentos::Item Item(Sorteio& sorteio, const ItemDeCatalogo& catalogo,
                                const Cadastros::Cliente& cliente, qint64 animal) {
    GravacaoDeOrcamentos::Item item;
    item.TipoDeLancamento = catalogo.Lancamento;
    item.Codigo = catalogo.Codigo;
    item.NumeroDoTipoDeServico = catalogo.Tipo;
    item.CodigoDeBarrasDoProduto = catalogo.CodigoDeBarras;
    item.Nome = catalogo.Nome;
    item.CodigoDoAnimal = animal;
    Currency percentual;
    if (catalogo.Lancamento == GradeDeItens::LancamentoDeServico) {
        item.Quantidade = Currency::DeInteiro(catalogo.Tipo == 6 ? sorteio.Entre(1, 5) : 1);
        percentual = PercentualDoCliente(cliente, catalogo.Tipo);
    } else {
        item.Quantidade = catalogo.Balanca ? Currency::DeDecimosDeMilesimos(sorteio.Entre(200, 5000) * 10)
                                           : Currency::DeInteiro(sorteio.Entre(1, 3));
        if (sorteio.Chance(20)) percentual = Currency::DeInteiro(5);
    }
    // A weighed product comes from a scale label (format 2): "2", the internal code, the
    // weight in grams and a check digit.
    if (catalogo.Balanca)
        item.CodigoDeBarrasDoProduto =
            QStringLiteral("2") + QString::number(catalogo.Codigo).rightJustified(6, u'0') +
            QString::number(item.Quantidade.DecimosDeMilesimos() / 10).rightJustified(5, u'0') + u'0';
    item.ValorUnitario = catalogo.Venda;
    item.Custo = catalogo.Custo;
    const Currency bruto = item.Quantidade * item.ValorUnitario;
    item.DescontoEmPercentual = percentual;
    item.DescontoEmValor = EmCentavos(bruto.ParaDouble() * percentual.ParaDouble() / 100.0);
    item.ValorTotal = bruto - item.DescontoEmValor;
    return item;
}

void CriarOrcamentos(Sorteio& sorteio, const QList<ClienteCriado>& clientes,
                     const QList<ItemDeCatalogo>& catalogo) {
    QList<const ClienteCriado*> comAnimais;
    for (const ClienteCriado& c : clientes)
        if (!c.Animais.isEmpty()) comAnimais << &c;
    const QDateTime agora = Relogio::Agora();
    QList<int> diasAtras;
    for (int i = 0; i < 420; ++i)
        diasAtras << sorteio.Entre(0, 180);
    std::sort(diasAtras.begin(), diasAtras.end(), std::greater<int>()); // oldest first: numbers follow dates
    for (const int dias : diasAtras) {
        const ClienteCriado& cliente =
            *comAnimais.at(sorteio.Entre(0, static_cast<int>(comAnimais.size()) - 1));
        GravacaoDeOrcamentos::Cabecalho c;
        c.DataDoOrcamento = agora.date().addDays(-dias);
        c.CodigoDoCliente = cliente.Cliente.CodigoDoCliente;
        c.CodigoDoAnimal = cliente.Animais.at(sorteio.Entre(0, static_cast<int>(cliente.Animais.size()) - 1));
        QList<GravacaoDeOrcamentos::Item> itens;
        const int quantos = sorteio.Entre(1, 4);
        for (int i = 0; i < quantos; ++i) {
            const ItemDeCatalogo& escolhido =
                catalogo.at(sorteio.Entre(0, static_cast<int>(catalogo.size()) - 1));
            itens << Item(sorteio, escolhido, cliente.Cliente, c.CodigoDoAnimal);
        }
        for (const GravacaoDeOrcamentos::Item& item : itens) {
            c.ValorTotal += item.Quantidade * item.ValorUnitario;
            c.DescontoEmValor += item.DescontoEmValor;
        }
        c.ValorLiquido = c.ValorTotal - c.DescontoEmValor;
        c.DescontoEmPercentual = EmCentavos((c.DescontoEmValor * 100) / c.ValorTotal);
        c.DataDeValidadeDoOrcamento = c.DataDoOrcamento.addDays(15);
        const int hora = sorteio.Entre(8, 17);
        const int minuto = sorteio.Entre(0, 59);
        c.DataEHoraDaInclusao = QDateTime(c.DataDoOrcamento, QTime(hora, minuto, sorteio.Entre(0, 59)));
        if (c.DataEHoraDaInclusao > agora) c.DataEHoraDaInclusao = agora.addSecs(-60);
        c.UsuarioDaInclusao = sorteio.Um(Usuarios);
        if (sorteio.Chance(20)) {
            QDateTime alteracao = c.DataEHoraDaInclusao.addSecs(sorteio.Entre(600, 10 * 86400));
            if (alteracao < agora) {
                c.DataEHoraDaAlteracao = alteracao;
                c.UsuarioDaAlteracao = sorteio.Um(Usuarios);
            }
        }
        c.Situacao = sorteio.Chance(dias > 60 ? 50 : 5) ? GravacaoDeOrcamentos::SituacaoInativo
                                                        : GravacaoDeOrcamentos::SituacaoAtivo;
        GravacaoDeOrcamentos::InserirOrcamento(c, itens);
    }
}

// The procedures the packages need beyond the catalogue: written after the quotes, so that
// the quotes drawn from the catalogue stay those of every seed before them.
const ServicoModelo ServicosDosPacotes[] = {
    {2, "Limpeza de tártaro", "Profilaxia dentária com ultrassom", 280.00},
    {2, "Anestesia geral até 10 kg", "Anestesia inalatória com monitoramento", 180.00},
    {2, "Anestesia geral de 10 a 25 kg", "Anestesia inalatória com monitoramento", 240.00},
    {2, "Anestesia geral acima de 25 kg", "Anestesia inalatória com monitoramento", 320.00},
};
constexpr qint64 PrimeiroServicoDosPacotes = std::size(Servicos) + 1;

// Five packages a clinic sells every week, in the form "de-até:S<serviço>x<qtde>
// P<produto>x<qtde>?" ("?": se necessário), bands separated by ";". Service codes follow
// the catalogue (1 the consultation, 6 the blood count, 7 and 11 the castrations, 25 a
// day in hospital, 32 the dental cleaning, 33 to 35 the anaesthesia by weight); products
// 16 the anti-inflammatory, 17 the antibiotic, 22 the finger toothbrush, 30 the cone.
struct PacoteModelo {
    const char* Nome;
    const char* Especie;
    const char* Faixas;
};
const PacoteModelo Pacotes[] = {
    {"Castração de gata", "Gato",
     "0-3:S1x1 S6x1 S33x1 S7x1 P16x1 P30x1 S25x1?;3-8:S1x1 S6x1 S33x1 S7x1 P16x2 P30x1 P17x1? S25x1?"},
    {"Castração de cadela", "Cão",
     "0-10:S1x1 S6x1 S33x1 S11x1 P16x1 P17x1 P30x1 S25x1?;10-25:S1x1 S6x1 S34x1 S11x1 P16x2 P17x1 P30x1 "
     "S25x1?;25-80:S1x1 S6x1 S35x1 S11x1 P16x3 P17x2 P30x1 S25x2?"},
    {"Limpeza de tártaro", "",
     "0-10:S1x1 S6x1 S33x1 S32x1 P22x1 P17x1?;10-25:S1x1 S6x1 S34x1 S32x1 P22x1 P17x1?;25-80:S1x1 S6x1 "
     "S35x1 S32x1 P22x1 P17x2?"},
    {"Protocolo de vacinação de filhote", "Cão", "0-15:S1x1 S3x3 S4x1 S2x2 S29x1?"},
    {"Banho e tosa por porte", "Cão", "0-10:S17x1 S20x1 S21x1?;10-25:S18x1 S20x1 S21x1?;25-80:S19x1 S21x1?"},
};

void CriarPacotes() {
    qint64 codigo = PrimeiroServicoDosPacotes;
    for (const ServicoModelo& m : ServicosDosPacotes)
        GravarServico(m, codigo++);
    for (const PacoteModelo& m : Pacotes) {
        ZELT_N_Orcamentos::PacoteDeProcedimentos pacote{
            0, QString::fromUtf8(m.Nome), QString::fromUtf8(m.Especie), {}};
        for (const QString& texto : QString::fromUtf8(m.Faixas).split(u';')) {
            const QString limites = texto.section(u':', 0, 0);
            ZELT_N_Orcamentos::FaixaDePeso faixa{
                Currency::DeInteiro(limites.section(u'-', 0, 0).toLongLong()),
                Currency::DeInteiro(limites.section(u'-', 1, 1).toLongLong()),
                {}};
            for (QString item : texto.section(u':', 1).split(u' ', Qt::SkipEmptyParts)) {
                const bool seNecessario = item.endsWith(u'?');
                if (seNecessario) item.chop(1);
                faixa.Itens.append({item.startsWith(u'S') ? GradeDeItens::LancamentoDeServico
                                                          : GradeDeItens::LancamentoDeProduto,
                                    item.mid(1).section(u'x', 0, 0).toLongLong(),
                                    Currency::DeInteiro(item.section(u'x', 1).toLongLong()),
                                    seNecessario,
                                    {}});
            }
            pacote.Faixas.append(faixa);
        }
        PacotesDeProcedimentos::Gravar(pacote);
    }
}

} // namespace

void Criar(quint32 semente) {
    Sorteio sorteio(semente);
    Banco::UnidadeDeTrabalho unidade;
    Cadastros::GravarEmpresa(Empresa());
    const QList<ClienteCriado> clientes = CriarClientes(sorteio);
    const QList<ItemDeCatalogo> catalogo = CriarCatalogo(sorteio);
    CriarOrcamentos(sorteio, clientes, catalogo);
    CriarPacotes();
    unidade.Confirmar();
}

} // namespace DadosDeDemonstracao
