// Procedure packages (ZELT_N_Orcamentos.clsPacotesDeProcedimentos): the bands' checks as
// one table, the band a weight picks, the items priced as typed for a client during a
// promotion with the inactive ones named and left out, and what a quote keeps (the
// weight, the items "se necessário", the estimate from–to).

#include "tests/Linha.h"
#include "tests/business/TesteDeNegocio.h"

#include <QSet>

using namespace Qt::StringLiterals;
using namespace BancoDeTeste;
using ZELT_N_Orcamentos::clsPacotesDeProcedimentos;
using ZELT_N_Orcamentos::FaixaDePeso;
using ZELT_N_Orcamentos::ItemDoPacote;
using ZELT_N_Orcamentos::PacoteDeProcedimentos;

namespace {

// "0-4:S1x1 P100x2?;4-8:S3x1": bands from–to kg, each with its items: S service or P
// product, code, x quantity, "?" for "se necessário".
PacoteDeProcedimentos Pacote(const QString& nome, const QString& especie, const QString& faixas) {
    PacoteDeProcedimentos pacote{0, nome, especie, {}};
    for (const QString& texto : faixas.split(u';', Qt::SkipEmptyParts)) {
        const QString limites = texto.section(u':', 0, 0);
        FaixaDePeso faixa{VB::CCur(limites.section(u'-', 0, 0)), VB::CCur(limites.section(u'-', 1, 1)), {}};
        for (QString item : texto.section(u':', 1).split(u' ', Qt::SkipEmptyParts)) {
            const bool seNecessario = item.endsWith(u'?');
            if (seNecessario) item.chop(1);
            faixa.Itens.append({item.startsWith(u'S') ? 1 : 2,
                                item.mid(1).section(u'x', 0, 0).toLongLong(),
                                VB::CCur(item.section(u'x', 1)),
                                seNecessario,
                                {}});
        }
        pacote.Faixas.append(faixa);
    }
    return pacote;
}

// The items grid with the mark's column after the specified ones.
class GradeComMarcas : public GradeEmMemoria {
public:
    QSet<int> Marcadas;
    int Cols() const override { return GradeDeItens::QuantidadeDeColunasComAMarca; }
    QString TextMatrix(int row, int col) const override {
        if (col != GradeDeItens::ColunaSeNecessario) return GradeEmMemoria::TextMatrix(row, col);
        return Marcadas.contains(row) ? GradeDeItens::MarcaSeNecessario : QString();
    }
};

} // namespace

class TesteDosPacotes : public TesteDeNegocio {
    Q_OBJECT

    std::unique_ptr<clsPacotesDeProcedimentos> Pacotes(QObject* usuario = nullptr) {
        auto p = Zelt::CriarObjeto<clsPacotesDeProcedimentos>(ProgId::PacotesDeProcedimentos);
        p->DadosDoUsuario = usuario ? usuario : musuario.get();
        return p;
    }
    qint64 Gravar(const PacoteDeProcedimentos& pacote) {
        auto p = Pacotes();
        p->Pacote = pacote;
        const qint16 resultado = p->Gravar();
        if (resultado != Resultado::Sucesso) qWarning() << p->DescricaoDaFalha << p->DescricaoDoErro;
        return resultado == Resultado::Sucesso ? static_cast<qint64>(p->CodigoGerado) : 0;
    }
    // The items offered for the weight, one line each: name|quantity|unit|%|discount|total|se necessário.
    QStringList Itens(clsPacotesDeProcedimentos& p) {
        QStringList linhas;
        RecordsetPtr r = p.ResultadoDaSelecaoEmRecordSet();
        for (r->MoveFirst(); !r->Eof(); r->MoveNext()) {
            QStringList campos;
            for (const char* campo :
                 {"NomeDoServicoOuNomeDoProduto", "Quantidade", "ValorUnitario", "DescontoEmPercentual",
                  "DescontoEmValor", "ValorTotal", "SeNecessario"})
                campos << VB::CStr(r->Fields(QString::fromLatin1(campo)).Value);
            linhas << campos.join(u'|');
        }
        return linhas;
    }

private slots:
    // Each package: stored (read back as its bands) or rejected with its message, nothing stored.
    void faixas_conferidas_data() {
        Colunas<QString, QString, QString>("especie", "faixas", "esperado");
        Linha("sem lacuna", u"Gato"_s, u"4-8:S3x1;0-4:S3x1 P100x1?"_s, u"até 4 kg; de 4 a 8 kg"_s);
        Linha("lacuna", u""_s, u"0-4:S1x1;5-8:S1x1"_s,
              u"Entre as faixas até 4 kg e de 5 a 8 kg há pesos sem faixa: a faixa "
              "seguinte deve começar onde a anterior termina."_s);
        Linha("sobreposição", u""_s, u"0-4:S1x1;3,5-8:S1x1"_s,
              u"As faixas até 4 kg e de 3,5 a 8 kg se sobrepõem: cada peso deve caber em uma só faixa."_s);
        Linha("final antes do início", u""_s, u"4-4:S1x1"_s,
              u"A faixa de 4 a 4 kg não é válida: o peso final deve ser maior que o inicial, e os pesos de 0 "
              "a 1.000 kg."_s);
        Linha("sem faixa", u""_s, u""_s, u"Inclua ao menos uma faixa de peso no pacote."_s);
        Linha("faixa vazia", u""_s, u"0-4:"_s, u"A faixa até 4 kg não tem itens."_s);
        Linha("serviço fracionado", u""_s, u"0-4:S1x1,5"_s,
              u"Faixa até 4 kg: a quantidade de o serviço 1 deve ser maior que 0 (inteira para um serviço, "
              "com até três casas para um produto)."_s);
        Linha("fora do cadastro", u""_s, u"0-4:P999x1"_s,
              u"Faixa até 4 kg: o produto 999 não está cadastrado."_s);
        Linha("espécie desconhecida", u"Coelho"_s, u"0-4:S1x1"_s,
              u"A espécie do pacote deve ser Cão, Gato ou nenhuma (qualquer espécie)."_s);
    }
    void faixas_conferidas() {
        QFETCH(QString, especie);
        QFETCH(QString, faixas);
        QFETCH(QString, esperado);
        auto p = Pacotes();
        p->Pacote = Pacote(u"Castração"_s, especie, faixas);
        const qint16 resultado = p->Gravar();
        if (esperado.startsWith(u"até")) {
            QCOMPARE(resultado, Resultado::Sucesso);
            QCOMPARE(p->Selecionar(), QVariant(false));
            QCOMPARE(VB::CStr(p->ResultadoDaSelecaoEmRecordSet(u"Faixas"_s).Value), esperado);
            QCOMPARE(p->Ler(static_cast<qint64>(p->CodigoGerado)), Resultado::Sucesso);
            QCOMPARE(p->Pacote.Faixas.at(0).Itens.at(1).Nome, u"Ração Cães 15 kg"_s);
            QVERIFY(p->Pacote.Faixas.at(0).Itens.at(1).SeNecessario);
        } else {
            QCOMPARE(resultado, Resultado::Rejeitado);
            QCOMPARE(p->DescricaoDaFalha, esperado);
            QCOMPARE(Textos(u"SELECT COUNT(*) FROM PacotesDeProcedimentos"_s), QStringList{u"0"_s});
        }
    }

    void nome_repetido_e_balconista_recusados() {
        QVERIFY(Gravar(Pacote(u"Limpeza de tártaro"_s, {}, u"0-10:S1x1"_s)));
        auto p = Pacotes();
        p->Pacote = Pacote(u"  limpeza de TARTARO "_s, {}, u"0-10:S2x1"_s);
        QCOMPARE(p->Gravar(), Resultado::Rejeitado);
        QCOMPARE(p->DescricaoDaFalha, u"Já existe um pacote com o nome limpeza de TARTARO."_s);
        const auto balconista = Usuario(u"BIA"_s, false);
        auto b = Pacotes(balconista.get());
        b->Pacote = Pacote(u"Outro"_s, {}, u"0-10:S2x1"_s);
        QCOMPARE(b->Gravar(), Resultado::Recusado);
        QCOMPARE(b->Excluir(1), Resultado::Recusado);
        QCOMPARE(Textos(u"SELECT Nome FROM PacotesDeProcedimentos"_s), QStringList{u"Limpeza de tártaro"_s});
    }

    // (from, to]: a weight on a limit belongs to the band that ends there.
    void peso_escolhe_a_faixa_data() {
        // esperado: the items' names, or the message
        Colunas<QString, QString, QString, qint16>("especieDoAnimal", "peso", "esperado", "resultado");
        Linha("limite de baixo", u"Gata"_s, u"4"_s, u"Consulta clínica"_s, Resultado::Sucesso);
        Linha("logo acima", u"felina"_s, u"4,001"_s, u"Vacina V10"_s, Resultado::Sucesso);
        Linha("limite de cima", u""_s, u"8 kg"_s, u"Vacina V10"_s, Resultado::Sucesso);
        Linha("fora das faixas", u"Gato"_s, u"8,5"_s,
              u"Nenhuma faixa do pacote Vacinação de gatos serve para 8,5 kg (até 4 kg; de 4 a 8 kg). Nada "
              "foi adicionado."_s,
              Resultado::Rejeitado);
        Linha("peso zero", u"Gato"_s, u"0"_s,
              u"Informe o peso do animal em kg, maior que 0 e até 1.000, com até três "
              "casas (por exemplo, 3,8)."_s,
              Resultado::Rejeitado);
        Linha("quatro casas", u"Gato"_s, u"3,8125"_s,
              u"Informe o peso do animal em kg, maior que 0 e até 1.000, com até "
              "três casas (por exemplo, 3,8)."_s,
              Resultado::Rejeitado);
        Linha("outra espécie", u"Cão"_s, u"3"_s,
              u"O pacote Vacinação de gatos é para a espécie Gato, e Rex é da "
              "espécie Cão. Nada foi adicionado."_s,
              Resultado::Rejeitado);
    }
    void peso_escolhe_a_faixa() {
        QFETCH(QString, especieDoAnimal);
        QFETCH(QString, peso);
        QFETCH(QString, esperado);
        QFETCH(qint16, resultado);
        Banco::Executar(u"UPDATE Animais SET Especie = ? WHERE Codigo = 10"_s, {especieDoAnimal});
        const qint64 codigo = Gravar(Pacote(u"Vacinação de gatos"_s, u"Gato"_s, u"0-4:S1x1;4-8:S2x1"_s));
        auto p = Pacotes();
        QCOMPARE(p->ItensParaOPeso(codigo, peso, 1, 10), resultado);
        if (resultado == Resultado::Sucesso)
            QCOMPARE(Itens(*p).join(u';').section(u'|', 0, 0), esperado);
        else
            QCOMPARE(p->DescricaoDaFalha, esperado);
    }

    // Maria (clinical 12 %, simple surgery 8 %) during a promotion of 10 % on services and
    // 5 % on products: each service gets the larger of the two, a product none, as the
    // record form types them; the inactive ones named and left out.
    void itens_como_digitados_e_inativos_de_fora() {
        BancoDeTeste::PromocaoEDescontosDaMaria();
        const qint64 codigo =
            Gravar(Pacote(u"Castração de gato"_s, {}, u"0-10:S1x1 S3x1 S5x1 P100x2? P300x1"_s));
        auto p = Pacotes();
        QCOMPARE(p->ItensParaOPeso(codigo, u"3,8"_s, 2, 12), Resultado::Sucesso);
        QCOMPARE(Itens(*p), (QStringList{u"Consulta clínica|1|120|12|14,4|105,6|Falso"_s,
                                         u"Castração de gato|1|350|10|35|315|Falso"_s,
                                         u"Ração Cães 15 kg|2|219,9|0|0|439,8|Verdadeiro"_s}));
        QCOMPARE(p->ForaDoCadastro, u"Serviço 5 (Consulta antiga)\nProduto 300 (Coleira antiga)"_s);
    }

    // The save keeps the weight for the animal and the items "se necessário" by number;
    // the estimate leaves them out of its low total; a change renumbers nothing.
    void peso_marcas_e_estimativa_gravados() {
        GradeComMarcas grade;
        auto orcamento = OrcamentoComProduto(grade, musuario.get());
        grade.Marcadas = {2};
        orcamento->PesoDoAnimal = u"abc"_s;
        QCOMPARE(orcamento->Adicionar(), Resultado::Rejeitado);
        QCOMPARE(orcamento->NomeDoCampoValidado, u"PesoDoAnimal"_s);
        orcamento->PesoDoAnimal = u"3,8"_s;
        QCOMPARE(orcamento->Adicionar(), Resultado::Sucesso);
        const double numero = orcamento->CodigoGerado;
        auto p = Pacotes();
        QCOMPARE(p->LerUltimoPeso(10), Resultado::Sucesso);
        QCOMPARE(p->UltimoPeso, u"3,8"_s);
        QCOMPARE(p->LerEstimativa(numero), Resultado::Sucesso);
        QCOMPARE((QStringList{VB::CStr(QVariant::fromValue(p->ValorMinimo)),
                              VB::CStr(QVariant::fromValue(p->ValorMaximo))}),
                 (QStringList{u"108"_s, u"547,8"_s}));
        QCOMPARE(Textos(u"SELECT ValorLiquido FROM Orcamentos"_s), QStringList{u"5478000"_s});
        // Changed: the first item marked too, a weight of another day for the same animal.
        grade.DefinirCelula(1, GradeDeItens::NumeroDoItem, u"1"_s);
        grade.DefinirCelula(2, GradeDeItens::NumeroDoItem, u"2"_s);
        grade.Marcadas = {1};
        orcamento->NumeroDoOrcamento = numero;
        orcamento->PesoDoAnimal = u"4,25"_s;
        QCOMPARE(orcamento->Alterar(), Resultado::Sucesso);
        QCOMPARE(Textos(u"SELECT NumeroDoItemDoOrcamento FROM ItensSeNecessario"_s), QStringList{u"1"_s});
        QCOMPARE(p->LerEstimativa(numero), Resultado::Sucesso);
        QCOMPARE(VB::CStr(QVariant::fromValue(p->ValorMinimo)), u"439,8"_s);
        QCOMPARE(p->LerUltimoPeso(10), Resultado::Sucesso);
        QCOMPARE(p->UltimoPeso, u"4,25"_s);
        QCOMPARE(p->LerEstimativa(numero + 1), Resultado::Recusado);
    }
};

QTEST_GUILESS_MAIN(TesteDosPacotes)
#include "tst_negocio_pacotes.moc"
