// A clinic chain's database for the benchmarks: by default 1,000,000 quotes (1 to 20
// items, 3 on average) over the last three years, 100,000 clients, 150,000 animals,
// 20,000 products and 500 services of every service type. The same seed and the
// same day give the same data.
//
//   bench_gerar_dados (--banco ARQUIVO.sqlite | --url postgresql://...) [--escala F]
//                     [--semente N] [--se-faltar] [--substituir]
//
// --escala multiplies every count (0.01 gives 10,000 quotes for a quick run).
// --se-faltar does nothing when the database already holds the data of that scale;
// --substituir empties the database first (removes the SQLite file, or drops the
// PostgreSQL database's public schema). Without either, a database that is not
// empty is refused.
//
// --escala 10 makes 10,000,000 quotes, 1,000,000 clients and 1,500,000 animals.
//
// The schema comes from the business layer itself (Negocio::Iniciar, no
// demonstration data). What the database keeps row by row is set aside for the load
// and rebuilt once at its end: the secondary and search indexes (dropped and created
// again from their own definitions), SQLite's search triggers (the search tables are
// filled in one statement), the counters of quotes per situation (their triggers are
// dropped, the counters recounted) and, where the user may, PostgreSQL's foreign-key
// checks (the rows are generated consistent). The rows go to PostgreSQL by COPY, to
// SQLite by prepared INSERTs, in large transactions; PostgreSQL ends with VACUUM
// (FREEZE, ANALYZE), which leaves every page all-visible as a database long in use
// has it. Every derived value is computed by the business layer's own helpers: the normalised search texts
// (Banco::TextoDePesquisa), the full address and the communication channels (Cadastros), the stored forms of
// dates, stamps and money (Banco). The rows are what the business layer would have
// written itself.

#include "business/Banco.h"
#include "business/Cadastros.h"
#include "business/ContagemDeOrcamentos.h"
#include "business/DriverPostgreSQL.h"
#include "business/GravacaoDeOrcamentos.h"
#include "business/Negocio.h"
#include "business/Pesquisa.h"
#include "business/Relogio.h"
#include "contracts/IGradeDeItens.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLibrary>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

using VB::Currency;

const char* const Uso =
    "Uso: bench_gerar_dados (--banco ARQUIVO.sqlite | --url postgresql://...) [--escala F] [--semente N]\n"
    "                       [--se-faltar] [--substituir]";

[[noreturn]] void Sair(const QString& mensagem, int codigo = 1) {
    std::fprintf(stderr, "%s\n", qPrintable(mensagem));
    std::exit(codigo);
}

struct Opcoes {
    QString Arquivo, Url;
    double Escala = 1.0;
    quint32 Semente = 20261205;
    bool SeFaltar = false, Substituir = false;
};

Opcoes LerOpcoes(const QStringList& argumentos) {
    Opcoes o;
    for (int i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos.at(i);
        const bool temValor = i + 1 < argumentos.size();
        if (a == QLatin1String("--banco") && temValor)
            o.Arquivo = argumentos.at(++i);
        else if (a == QLatin1String("--url") && temValor)
            o.Url = argumentos.at(++i);
        else if (a == QLatin1String("--escala") && temValor)
            o.Escala = argumentos.at(++i).toDouble();
        else if (a == QLatin1String("--semente") && temValor)
            o.Semente = argumentos.at(++i).toUInt();
        else if (a == QLatin1String("--se-faltar"))
            o.SeFaltar = true;
        else if (a == QLatin1String("--substituir"))
            o.Substituir = true;
        else
            Sair(QString::fromUtf8(Uso), 2);
    }
    if (o.Arquivo.isEmpty() == o.Url.isEmpty() || !(o.Escala > 0) || o.Escala > 10)
        Sair(QString::fromUtf8(Uso), 2);
    return o;
}

// How many of each: the defaults times the scale.
struct Quantidades {
    qint64 Orcamentos, Clientes, Animais, Produtos, ServicosPorTipo;
    explicit Quantidades(double escala)
        : Orcamentos(Escalar(1000000, escala)), Clientes(Escalar(100000, escala)),
          Animais(Escalar(150000, escala)), Produtos(Escalar(20000, escala)),
          ServicosPorTipo(std::max<qint64>(5, Escalar(500, escala))) {}
    static qint64 Escalar(qint64 quantidade, double escala) {
        return std::max<qint64>(1, std::llround(quantidade * escala));
    }
};

constexpr qint32 TiposDeServico[] = {1, 2, 3, 4, 5, 6, 7, 99};
constexpr int DiasDeHistorico = 3 * 365;

// A draw that gives the same numbers on every platform: mt19937's output is fixed
// by the C++ standard (its distributions are not, so they are not used).
class Sorteio {
public:
    explicit Sorteio(quint32 semente) : mgerador(semente) {}
    qint64 Entre(qint64 minimo, qint64 maximo) {
        const quint64 amplitude = quint64(maximo - minimo) + 1;
        const quint64 valor = (quint64(mgerador()) << 32) | mgerador();
        return minimo + qint64(valor % amplitude);
    }
    bool Chance(int porCento) { return Entre(1, 100) <= porCento; }
    template <class Lista> const auto& Um(const Lista& lista) {
        return lista[Entre(0, std::size(lista) - 1)];
    }
    QString Mascara(QString mascara) {
        for (QChar& c : mascara)
            if (c == u'#') c = QChar(u'0' + int(Entre(0, 9)));
        return mascara;
    }

private:
    std::mt19937 mgerador;
};

// ---- Names ----------------------------------------------------------------------------------

const char* const NomesMasculinos[] = {
    "João",    "José",     "Antônio",   "Francisco", "Carlos",   "Paulo",   "Pedro",    "Lucas",
    "Luiz",    "Marcos",   "Luís",      "Gabriel",   "Rafael",   "Daniel",  "Marcelo",  "Bruno",
    "Eduardo", "Felipe",   "Raimundo",  "Rodrigo",   "Manoel",   "Mateus",  "André",    "Fernando",
    "Fábio",   "Leonardo", "Gustavo",   "Guilherme", "Leandro",  "Tiago",   "Anderson", "Ricardo",
    "Márcio",  "Jorge",    "Sebastião", "Alexandre", "Roberto",  "Édson",   "Diego",    "Vítor",
    "Sérgio",  "Cláudio",  "Matheus",   "Thiago",    "Geraldo",  "Adriano", "Luciano",  "Júlio",
    "Renato",  "Alex",     "Vinícius",  "Rogério",   "Samuel",   "Ronaldo", "Mário",    "Flávio",
    "Douglas", "Igor",     "Davi",      "Otávio",    "Benedito", "Caio",    "Heitor"};
const char* const NomesFemininos[] = {
    "Maria",    "Ana",       "Francisca", "Antônia",   "Adriana",  "Juliana",   "Márcia",    "Fernanda",
    "Patrícia", "Aline",     "Sandra",    "Camila",    "Amanda",   "Bruna",     "Jéssica",   "Letícia",
    "Júlia",    "Luciana",   "Vanessa",   "Mariana",   "Gabriela", "Vera",      "Vitória",   "Larissa",
    "Cláudia",  "Beatriz",   "Luana",     "Rita",      "Sônia",    "Renata",    "Eliane",    "Josefa",
    "Simone",   "Natália",   "Cristiane", "Carla",     "Débora",   "Rosângela", "Jaqueline", "Rosa",
    "Daniela",  "Aparecida", "Marlene",   "Terezinha", "Raimunda", "Andréia",   "Fabiana",   "Lúcia",
    "Raquel",   "Ângela",    "Rafaela",   "Joana",     "Luzia",    "Elaine",    "Daiane",    "Regina",
    "Cecília",  "Inês",      "Conceição", "Helena",    "Luíza",    "Mônica",    "Lívia"};
const char* const Sobrenomes[] = {
    "Silva",       "Santos",     "Oliveira",    "Souza",     "Rodrigues", "Ferreira", "Alves",
    "Pereira",     "Lima",       "Gomes",       "Costa",     "Ribeiro",   "Martins",  "Carvalho",
    "Almeida",     "Lopes",      "Soares",      "Fernandes", "Vieira",    "Barbosa",  "Rocha",
    "Dias",        "Nascimento", "Andrade",     "Moreira",   "Nunes",     "Marques",  "Machado",
    "Mendes",      "Freitas",    "Cardoso",     "Ramos",     "Gonçalves", "Santana",  "Teixeira",
    "Araújo",      "Simões",     "Magalhães",   "Brandão",   "Conceição", "Assunção", "Monteiro",
    "Nogueira",    "Falcão",     "Guimarães",   "Quintão",   "Peçanha",   "Frota",    "Coutinho",
    "Bezerra",     "Cavalcanti", "Albuquerque", "Queiroz",   "Sampaio",   "Tavares",  "Xavier",
    "Pinheiro",    "Batista",    "Moura",       "Borges",    "Campos",    "Cunha",    "Siqueira",
    "Leão",        "Aragão",     "Galvão",      "Damasceno", "Calixto",   "Toledo",   "Prado",
    "Bittencourt", "Camargo",    "Viana",       "Macêdo",    "Sá",        "Paixão",   "Jesus",
    "Mota",        "Brito",      "Lacerda"};
const char* const PalavrasDeEmpresas[] = {"Pet Shop", "Canil",     "Gatil",         "Agropecuária",
                                          "Haras",    "Hotel Pet", "Clínica Amiga", "Sítio",
                                          "Fazenda",  "Pet Center"};
const char* const NomesDeEmpresas[] = {"Vale Verde",    "Amigo Fiel",  "São Jorge",     "Olhos Azuis",
                                       "Boa Esperança", "Patas & Cia", "Focinho Feliz", "Império",
                                       "Três Irmãos",   "Jardim",      "Bom Pastor",    "Recanto",
                                       "Estrela",       "Santa Clara", "Nova Era"};
const char* const Ruas[] = {
    "Rua das Flores",       "Avenida Brasil",      "Rua Barão de Jaguara", "Rua José Paulino",
    "Avenida Norte-Sul",    "Rua Coronel Quirino", "Rua Conceição",        "Avenida Júlio de Mesquita",
    "Rua Sete de Setembro", "Rua Dom Pedro II",    "Rua São Benedito",     "Avenida Orosimbo Maia",
    "Rua Antônio Cezarino", "Travessa dos Ipês",   "Alameda das Palmeiras"};
const char* const Bairros[] = {"Centro",          "Cambuí",       "Taquaral",      "Jardim Chapadão",
                               "Vila Industrial", "Botafogo",     "Barão Geraldo", "Jardim Proença",
                               "Nova Campinas",   "Parque Itália"};
const char* const Cidades[] = {"Campinas", "Campinas",   "Valinhos", "Vinhedo",   "Sumaré",     "Hortolândia",
                               "Paulínia", "Indaiatuba", "Jundiaí",  "Americana", "Piracicaba", "Limeira"};
const char* const NomesDeAnimais[] = {"Rex",  "Luna",    "Thor",  "Mel",      "Bob",    "Nina",   "Pipoca",
                                      "Bidu", "Amora",   "Fred",  "Belinha",  "Tobias", "Paçoca", "Frajola",
                                      "Mimi", "Zeca",    "Lola",  "Chico",    "Jade",   "Simba",  "Pretinha",
                                      "Café", "Bolinha", "Órion", "Princesa", "Max",    "Bela",   "Toddy",
                                      "Meg",  "Pérola",  "Ziggy", "Kiara"};
const char* const Usuarios[] = {"ADMIN", "MARIA.RECEPCAO", "DR.JOAO", "DRA.CECILIA", "BALCAO.2", "BALCAO.3"};

const char* const TiposDeProduto[] = {"Ração",
                                      "Petisco",
                                      "Vermífugo",
                                      "Antipulgas",
                                      "Shampoo",
                                      "Condicionador",
                                      "Areia sanitária",
                                      "Tapete higiênico",
                                      "Coleira",
                                      "Guia",
                                      "Comedouro",
                                      "Bebedouro",
                                      "Cama",
                                      "Brinquedo",
                                      "Arranhador",
                                      "Suplemento",
                                      "Antibiótico",
                                      "Anti-inflamatório",
                                      "Colírio",
                                      "Pomada"};
const char* const Marcas[] = {"Premier",  "Golden",  "Royal",    "Pedigree",  "Whiskas",
                              "Biofresh", "Guabi",   "Max",      "Special",   "Magnus",
                              "Quatree",  "Farmina", "Vet Life", "Pet Clean", "Sanol",
                              "Chalesco", "Furacão", "Zoetis",   "Ourofino",  "Agener"};
const char* const Variantes[] = {"Cães Adultos",   "Cães Filhotes", "Gatos Castrados", "Gatos Adultos",
                                 "Raças Pequenas", "Raças Grandes", "Sênior",          "Light",
                                 "Frango",         "Salmão",        "Carne",           "Cordeiro",
                                 "Neutro",         "Pelos Longos",  "Hipoalergênico"};
const char* const Tamanhos[] = {"100 g",  "500 g",  "1 kg", "3 kg", "10 kg", "15 kg", "50 ml",
                                "250 ml", "500 ml", "P",    "M",    "G",     "nº 2",  "nº 4"};

// Base names of the services of each type; each gets qualifiers until the type has
// as many as asked.
const char* const ServicosClinicos[] = {
    "Consulta clínica",         "Consulta de retorno", "Vacina V10",       "Vacina antirrábica",
    "Aplicação de medicamento", "Hemograma",           "Ultrassonografia", "Radiografia"};
const char* const CirurgiasSimples[] = {"Castração de gato", "Sutura de ferimento", "Remoção de nódulo",
                                        "Drenagem de abscesso", "Extração dentária"};
const char* const CirurgiasMedias[] = {"Castração de cadela", "Cesariana", "Retirada de corpo estranho",
                                       "Mastectomia", "Esplenectomia"};
const char* const CirurgiasComplexas[] = {"Osteossíntese", "Correção de hérnia diafragmática",
                                          "Cirurgia de coluna", "Correção de luxação de patela",
                                          "Toracotomia"};
const char* const Esteticas[] = {"Banho", "Banho e tosa", "Tosa higiênica", "Hidratação de pelagem",
                                 "Escovação"};
const char* const Hospedagens[] = {"Diária de hospedagem", "Diária de internação", "Creche",
                                   "Hotel com recreação"};
const char* const Adestramentos[] = {"Aula de adestramento", "Pacote de aulas de adestramento",
                                     "Adestramento comportamental", "Socialização"};
const char* const Outros[] = {"Microchipagem", "Atestado de saúde", "Transporte de animal", "Cremação"};
const char* const QualificadoresDeServico[] = {"pequeno porte", "médio porte", "grande porte", "felinos",
                                               "silvestres",    "plantão",     "domiciliar",   "urgência"};

QString Texto(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// ---- Bulk writing ---------------------------------------------------------------------------

// PostgreSQL's COPY ... FROM STDIN on the business layer's own connection (so inside
// its transaction), through the libpq that Qt's driver loaded: the fastest way rows
// reach PostgreSQL, a few times faster than multi-row INSERTs.
class CopiaDoPostgreSQL {
public:
    static CopiaDoPostgreSQL& Instancia() {
        static CopiaDoPostgreSQL copia;
        return copia;
    }
    // Sends rows already in COPY's text format to the table's columns.
    void Copiar(const QString& tabela, const QStringList& colunas, const QByteArray& linhas) {
        void* conexao = Conexao();
        const QByteArray comando = (QStringLiteral("COPY ") + tabela + QStringLiteral(" (") +
                                    colunas.join(QStringLiteral(", ")) + QStringLiteral(") FROM STDIN"))
                                       .toUtf8();
        void* resultado = mexec(conexao, comando.constData());
        const bool aceito = mstatus(resultado) == CopiaEmEntrada;
        mclear(resultado);
        if (!aceito) Falhar(tabela, conexao);
        for (qsizetype feito = 0; feito < linhas.size();) {
            const int parte = int(std::min<qsizetype>(linhas.size() - feito, 1 << 20));
            if (mput(conexao, linhas.constData() + feito, parte) != 1) Falhar(tabela, conexao);
            feito += parte;
        }
        if (mend(conexao, nullptr) != 1) Falhar(tabela, conexao);
        bool falhou = false;
        while (void* r = mresult(conexao)) {
            falhou = falhou || mstatus(r) != ComandoConcluido;
            mclear(r);
        }
        if (falhou) Falhar(tabela, conexao);
    }

private:
    static constexpr int ComandoConcluido = 1; // PGRES_COMMAND_OK
    static constexpr int CopiaEmEntrada = 4;   // PGRES_COPY_IN

    CopiaDoPostgreSQL() : mlib(QStringLiteral("pq"), 5) {
        mexec = reinterpret_cast<Exec>(Resolver("PQexec"));
        mstatus = reinterpret_cast<Status>(Resolver("PQresultStatus"));
        mclear = reinterpret_cast<Clear>(Resolver("PQclear"));
        mput = reinterpret_cast<Put>(Resolver("PQputCopyData"));
        mend = reinterpret_cast<End>(Resolver("PQputCopyEnd"));
        mresult = reinterpret_cast<Result>(Resolver("PQgetResult"));
        merro = reinterpret_cast<Erro>(Resolver("PQerrorMessage"));
    }
    QFunctionPointer Resolver(const char* nome) {
        const QFunctionPointer f = mlib.resolve(nome);
        if (!f) Sair(QStringLiteral("libpq sem %1: %2").arg(QString::fromLatin1(nome), mlib.errorString()));
        return f;
    }
    static void* Conexao() {
        const QVariant handle = Banco::Conexao().driver()->handle();
        // Qt's PostgreSQL driver answers its PGconn* (named so, or as pg_conn*); the
        // business layer's own driver answers it as a void*.
        const QByteArray tipo = handle.typeName();
        const bool proprio = Banco::Conexao().driverName() == DriverPostgreSQL::Nome;
        if (!handle.isValid() || (tipo != "PGconn*" && tipo != "pg_conn*" && !(tipo == "void*" && proprio)))
            Sair(QStringLiteral("A conexão não é do PostgreSQL (%1).").arg(QString::fromLatin1(tipo)));
        return *static_cast<void* const*>(handle.constData());
    }
    [[noreturn]] void Falhar(const QString& tabela, void* conexao) {
        Sair(QStringLiteral("Falha no COPY de %1: %2").arg(tabela, QString::fromUtf8(merro(conexao))));
    }

    using Exec = void* (*)(void*, const char*);
    using Status = int (*)(const void*);
    using Clear = void (*)(void*);
    using Put = int (*)(void*, const char*, int);
    using End = int (*)(void*, const char*);
    using Result = void* (*)(void*);
    using Erro = const char* (*)(const void*);
    QLibrary mlib;
    Exec mexec;
    Status mstatus;
    Clear mclear;
    Put mput;
    End mend;
    Result mresult;
    Erro merro;
};

// A value in COPY's text format: \N for NULL, the escapes of backslash, tab and
// line breaks, booleans as 1 and 0 (the schema's integers).
void EscreverParaCopia(QByteArray& destino, const QVariant& valor) {
    if (valor.isNull()) {
        destino += "\\N";
        return;
    }
    switch (valor.typeId()) {
    case QMetaType::LongLong:
        destino += QByteArray::number(valor.toLongLong());
        return;
    case QMetaType::Int:
        destino += QByteArray::number(valor.toInt());
        return;
    case QMetaType::Bool:
        destino += valor.toBool() ? '1' : '0';
        return;
    default:
        break;
    }
    const QByteArray texto = valor.toString().toUtf8();
    for (const char c : texto) {
        switch (c) {
        case '\\':
            destino += "\\\\";
            break;
        case '\t':
            destino += "\\t";
            break;
        case '\n':
            destino += "\\n";
            break;
        case '\r':
            destino += "\\r";
            break;
        default:
            destino += c;
        }
    }
}

// One prepared single-row INSERT on the business layer's own SQLite connection (so
// inside its transaction), bound through the SQLite library Qt's driver uses: Qt's
// own binding looks every parameter up by name, which costs more than the insert.
class InsercaoNoSQLite {
public:
    InsercaoNoSQLite(const QString& tabela, const QStringList& colunas) : mstrTabela(tabela) {
        const Funcoes& f = Funcoes::Instancia();
        const QByteArray sql = (QStringLiteral("INSERT INTO ") + tabela + QStringLiteral(" (") +
                                colunas.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                                QStringList(colunas.size(), QStringLiteral("?")).join(u',') + u')')
                                   .toUtf8();
        mbanco = Conexao();
        if (f.Preparar(mbanco, sql.constData(), -1, &mcomando, nullptr) != 0) Falhar();
    }
    ~InsercaoNoSQLite() { Funcoes::Instancia().Finalizar(mcomando); }
    InsercaoNoSQLite(const InsercaoNoSQLite&) = delete;
    InsercaoNoSQLite& operator=(const InsercaoNoSQLite&) = delete;

    void Inserir(const QVariantList& linha) {
        const Funcoes& f = Funcoes::Instancia();
        for (int i = 0; i < linha.size(); ++i) {
            const QVariant& valor = linha.at(i);
            int erro = 0;
            if (valor.isNull()) {
                erro = f.Nulo(mcomando, i + 1);
            } else if (valor.typeId() == QMetaType::LongLong || valor.typeId() == QMetaType::Int ||
                       valor.typeId() == QMetaType::Bool) {
                erro = f.Inteiro(mcomando, i + 1, valor.toLongLong());
            } else if (valor.typeId() == QMetaType::Double) {
                erro = f.Real(mcomando, i + 1, valor.toDouble());
            } else {
                const QByteArray texto = valor.toString().toUtf8();
                erro = f.Texto(mcomando, i + 1, texto.constData(), int(texto.size()), Transitorio);
            }
            if (erro != 0) Falhar();
        }
        if (f.Passo(mcomando) != Concluido) Falhar();
        f.Reiniciar(mcomando);
    }

private:
    static constexpr int Concluido = 101; // SQLITE_DONE
    inline static void (*const Transitorio)(void*) = reinterpret_cast<void (*)(void*)>(-1);

    struct Funcoes {
        static const Funcoes& Instancia() {
            static const Funcoes funcoes;
            return funcoes;
        }
        int (*Preparar)(void*, const char*, int, void**, const char**);
        int (*Inteiro)(void*, int, qint64);
        int (*Real)(void*, int, double);
        int (*Texto)(void*, int, const char*, int, void (*)(void*));
        int (*Nulo)(void*, int);
        int (*Passo)(void*);
        int (*Reiniciar)(void*);
        int (*Finalizar)(void*);
        const char* (*Erro)(void*);

    private:
        Funcoes() {
            QLibrary lib(QStringLiteral("sqlite3"), 0);
            const auto resolver = [&](auto& ponteiro, const char* nome) {
                ponteiro = reinterpret_cast<std::remove_reference_t<decltype(ponteiro)>>(lib.resolve(nome));
                if (!ponteiro)
                    Sair(QStringLiteral("libsqlite3 sem %1: %2")
                             .arg(QString::fromLatin1(nome), lib.errorString()));
            };
            resolver(Preparar, "sqlite3_prepare_v2");
            resolver(Inteiro, "sqlite3_bind_int64");
            resolver(Real, "sqlite3_bind_double");
            resolver(Texto, "sqlite3_bind_text");
            resolver(Nulo, "sqlite3_bind_null");
            resolver(Passo, "sqlite3_step");
            resolver(Reiniciar, "sqlite3_reset");
            resolver(Finalizar, "sqlite3_finalize");
            resolver(Erro, "sqlite3_errmsg");
        }
    };

    static void* Conexao() {
        const QVariant handle = Banco::Conexao().driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
            Sair(QStringLiteral("A conexão não é do SQLite."));
        return *static_cast<void* const*>(handle.constData());
    }
    [[noreturn]] void Falhar() {
        Sair(QStringLiteral("Falha ao inserir em %1: %2")
                 .arg(mstrTabela, QString::fromUtf8(Funcoes::Instancia().Erro(mbanco))));
    }

    QString mstrTabela;
    void* mbanco = nullptr;
    void* mcomando = nullptr;
};

// Rows go to the database as the business layer would write them (a null QString as
// an empty text; Banco::Nulo() as NULL): on PostgreSQL a COPY of some megabytes at a
// time, on SQLite one prepared INSERT a row. Rows that refer to another batch's rows
// (items to their quote) send that batch first.
class InsercaoEmLote {
public:
    InsercaoEmLote(QString tabela, QStringList colunas)
        : mstrTabela(std::move(tabela)), mcolunas(std::move(colunas)) {
        if (Banco::DialetoAtual().EhSQLite())
            msqlite = std::make_unique<InsercaoNoSQLite>(mstrTabela, mcolunas);
    }
    ~InsercaoEmLote() { Terminar(); }
    void DependeDe(InsercaoEmLote& outra) { mdependencia = &outra; }

    void Adicionar(const QVariantList& linha) {
        Q_ASSERT(linha.size() == mcolunas.size());
        if (msqlite) {
            // A null QString is bound as the empty text the business layer writes.
            QVariantList valores = linha;
            for (QVariant& valor : valores)
                if (valor.typeId() == QMetaType::QString && !valor.isNull() && valor.toString().isNull())
                    valor = QStringLiteral("");
            msqlite->Inserir(valores);
            return;
        }
        for (qsizetype i = 0; i < linha.size(); ++i) {
            if (i > 0) mcopia += '\t';
            EscreverParaCopia(mcopia, linha.at(i));
        }
        mcopia += '\n';
        if (mcopia.size() >= BytesPorCopia) Terminar();
    }
    void Terminar() {
        if (mdependencia) mdependencia->Terminar();
        if (mcopia.isEmpty()) return;
        CopiaDoPostgreSQL::Instancia().Copiar(mstrTabela, mcolunas, mcopia);
        mcopia.clear();
    }

private:
    static constexpr qsizetype BytesPorCopia = 16 << 20;

    QString mstrTabela;
    QStringList mcolunas;
    std::unique_ptr<InsercaoNoSQLite> msqlite;
    QByteArray mcopia;
    InsercaoEmLote* mdependencia = nullptr;
};

void Executar(const QString& sql) {
    QSqlQuery q(Banco::Conexao());
    if (!q.exec(sql)) Sair(QStringLiteral("Falha em \"%1\": %2").arg(sql, q.lastError().text()));
}

// ---- The registry ---------------------------------------------------------------------------

struct ProdutoGerado {
    QString Nome, CodigoDeBarras;
    qint64 Custo, Venda;
    bool Balanca;
};

struct ServicoGerado {
    QString Nome;
    qint32 Tipo;
    qint64 Custo, Venda;
};

// An EAN-13 of a Brazilian maker (prefix 789), one per product: the code times a
// prime is a different nine-digit body for every code below 10^9.
QString Ean13(qint64 codigo) {
    const QString corpo =
        QStringLiteral("789") + QStringLiteral("%1").arg((codigo * 104729) % 1000000000, 9, 10, QChar(u'0'));
    int soma = 0;
    for (int i = 0; i < 12; ++i)
        soma += (corpo.at(i).unicode() - u'0') * (i % 2 == 0 ? 1 : 3);
    return corpo + QChar(u'0' + (10 - soma % 10) % 10);
}

std::vector<ProdutoGerado> GerarProdutos(Sorteio& s, qint64 quantidade) {
    // Ten groups with five subgroups each, created with known keys.
    const char* const grupos[] = {"Rações",      "Petiscos",   "Medicamentos",     "Higiene",   "Acessórios",
                                  "Suplementos", "Brinquedos", "Camas e casinhas", "Aquarismo", "Aves"};
    {
        InsercaoEmLote g(QStringLiteral("GruposDeProdutos"),
                         {QStringLiteral("Codigo"), QStringLiteral("Nome")});
        InsercaoEmLote sg(
            QStringLiteral("SubgruposDeProdutos"),
            {QStringLiteral("Codigo"), QStringLiteral("CodigoDoGrupo"), QStringLiteral("Nome")});
        sg.DependeDe(g);
        for (int i = 0; i < 10; ++i) {
            g.Adicionar({i + 1, Texto(grupos[i])});
            for (int j = 0; j < 5; ++j)
                sg.Adicionar({i * 5 + j + 1, i + 1, QStringLiteral("Linha %1").arg(j + 1)});
        }
    }
    std::vector<ProdutoGerado> produtos;
    produtos.reserve(quantidade);
    InsercaoEmLote p(QStringLiteral("Produtos"),
                     {QStringLiteral("CodigoInterno"), QStringLiteral("CodigoDeBarras"),
                      QStringLiteral("Nome"), QStringLiteral("NomeNormalizado"),
                      QStringLiteral("CodigoDoGrupo"), QStringLiteral("CodigoDoSubgrupo"),
                      QStringLiteral("ValorDeCusto"), QStringLiteral("UnidadeDeCompra"),
                      QStringLiteral("UnidadeDeVenda"), QStringLiteral("ValorDeVenda"),
                      QStringLiteral("PercentualDeComissao"), QStringLiteral("VendidoPorEtiquetaDeBalanca"),
                      QStringLiteral("Situacao")});
    for (qint64 codigo = 1; codigo <= quantidade; ++codigo) {
        ProdutoGerado gerado;
        gerado.Balanca = s.Chance(5);
        gerado.Nome = Texto(s.Um(TiposDeProduto)) + u' ' + Texto(s.Um(Marcas)) + u' ' +
                      Texto(s.Um(Variantes)) + u' ' +
                      (gerado.Balanca ? QStringLiteral("a granel (kg)") : Texto(s.Um(Tamanhos)));
        // Scale products are found by the internal code printed on the label.
        if (!gerado.Balanca) gerado.CodigoDeBarras = Ean13(codigo);
        gerado.Custo = s.Entre(200, 30000) * 100;
        gerado.Venda = gerado.Custo * s.Entre(150, 220) / 10000 * 100; // whole cents
        const qint64 grupo = s.Entre(1, 10);
        const QString unidade = gerado.Balanca ? QStringLiteral("KG") : QStringLiteral("UN");
        p.Adicionar({codigo, Banco::TextoOuNulo(gerado.CodigoDeBarras), gerado.Nome,
                     Banco::TextoDePesquisa(gerado.Nome), grupo, (grupo - 1) * 5 + s.Entre(1, 5),
                     gerado.Custo, gerado.Balanca ? QStringLiteral("SC") : unidade, unidade, gerado.Venda,
                     Banco::Moeda(Currency::DeInteiro(s.Entre(0, 4) * 2)), gerado.Balanca ? 1 : 0,
                     s.Chance(3) ? 2 : 1});
        produtos.push_back(gerado);
    }
    return produtos;
}

std::vector<ServicoGerado> GerarServicos(Sorteio& s, qint64 porTipo) {
    struct Bases {
        qint32 Tipo;
        const char* const* Nomes;
        size_t Quantos;
    };
    const Bases bases[] = {{1, ServicosClinicos, std::size(ServicosClinicos)},
                           {2, CirurgiasSimples, std::size(CirurgiasSimples)},
                           {3, CirurgiasMedias, std::size(CirurgiasMedias)},
                           {4, CirurgiasComplexas, std::size(CirurgiasComplexas)},
                           {5, Esteticas, std::size(Esteticas)},
                           {6, Hospedagens, std::size(Hospedagens)},
                           {7, Adestramentos, std::size(Adestramentos)},
                           {99, Outros, std::size(Outros)}};
    std::vector<ServicoGerado> servicos;
    InsercaoEmLote lote(QStringLiteral("Servicos"),
                        {QStringLiteral("Codigo"), QStringLiteral("Nome"), QStringLiteral("NomeNormalizado"),
                         QStringLiteral("Descricao"), QStringLiteral("NumeroDoTipoDeServico"),
                         QStringLiteral("Custo"), QStringLiteral("ValorDeVenda"),
                         QStringLiteral("Situacao")});
    for (const Bases& b : bases) {
        for (qint64 i = 0; i < porTipo; ++i) {
            // "Banho médio porte 12": base, qualifier and a variant number.
            const QString nome =
                Texto(b.Nomes[i % b.Quantos]) + u' ' +
                Texto(QualificadoresDeServico[(i / b.Quantos) % std::size(QualificadoresDeServico)]) + u' ' +
                QString::number(i / (b.Quantos * std::size(QualificadoresDeServico)) + 1);
            const qint64 venda = s.Entre(30, b.Tipo >= 2 && b.Tipo <= 4 ? 5000 : 300) * 10000;
            ServicoGerado gerado{nome, b.Tipo, venda * 4 / 10 / 100 * 100, venda};
            lote.Adicionar({qint64(servicos.size()) + 1, nome, Banco::TextoDePesquisa(nome),
                            QString(QStringLiteral("Serviço de ") + nome.toLower()), b.Tipo, gerado.Custo,
                            gerado.Venda, s.Chance(3) ? 2 : 1});
            servicos.push_back(gerado);
        }
    }
    return servicos;
}

struct Dono {
    qint64 PrimeiroAnimal = 0; // 0: none
    qint32 Animais = 0;
};

void GerarClientes(Sorteio& s, qint64 quantidade) {
    InsercaoEmLote lote(QStringLiteral("Clientes"), Cadastros::ColunasDoCliente());
    for (qint64 codigo = 1; codigo <= quantidade; ++codigo) {
        Cadastros::Cliente c;
        c.CodigoDoCliente = codigo;
        if (s.Chance(5)) {
            const QString empresa = Texto(s.Um(PalavrasDeEmpresas)) + u' ' + Texto(s.Um(NomesDeEmpresas));
            c.ApelidoOuNomeFantasia = empresa;
            c.NomeOuRazaoSocial = empresa + u' ' + Texto(s.Um(Sobrenomes)) + QStringLiteral(" Ltda.");
            c.CPFOuCNPJ = s.Mascara(QStringLiteral("##.###.###/0001-##"));
        } else {
            const bool feminino = s.Chance(50);
            const auto nome = [&] { return Texto(feminino ? s.Um(NomesFemininos) : s.Um(NomesMasculinos)); };
            const QString primeiro = nome();
            const QString meio = s.Chance(40) ? nome() + u' ' : QString();
            const QString sobrenome1 = Texto(s.Um(Sobrenomes));
            const QString sobrenome2 = Texto(s.Um(Sobrenomes));
            c.NomeOuRazaoSocial = primeiro + u' ' + meio + sobrenome1 + u' ' + sobrenome2;
            c.ApelidoOuNomeFantasia =
                s.Chance(70) ? primeiro + u' ' + sobrenome2 : primeiro + u' ' + sobrenome1;
            c.CPFOuCNPJ = s.Mascara(QStringLiteral("###.###.###-##"));
        }
        const qint64 situacao = s.Entre(1, 100);
        c.Situacao = situacao <= 85 ? 1 : situacao <= 90 ? 2 : situacao <= 95 ? 3 : 4;
        c.Endereco = {Texto(s.Um(Ruas)),
                      QString::number(s.Entre(1, 3000)),
                      s.Chance(30) ? QStringLiteral("Apto %1").arg(s.Entre(1, 300)) : QString(),
                      Texto(s.Um(Bairros)),
                      Texto(s.Um(Cidades)),
                      QStringLiteral("SP"),
                      s.Mascara(QStringLiteral("13###-###"))};
        if (s.Chance(60)) c.Telefone = s.Mascara(QStringLiteral("(19) 3###-####"));
        if (s.Chance(90)) c.Celular = s.Mascara(QStringLiteral("(19) 9####-####"));
        if (s.Chance(70)) c.Email = QStringLiteral("cliente%1@exemplo.com.br").arg(codigo);
        c.Credito = Currency::DeInteiro(s.Entre(0, 40) * 50);
        c.VIP = s.Chance(15);
        const qint64 categoria = s.Entre(1, 100);
        c.CategoriaDaCurvaABC = categoria <= 20   ? QStringLiteral("A")
                                : categoria <= 50 ? QStringLiteral("B")
                                                  : QStringLiteral("C");
        if (s.Chance(10)) {
            c.DescontoUnico = true;
            c.PercentualUnicoDeDescontos = Currency::DeInteiro(5 * s.Entre(1, 3));
        } else {
            for (Currency& percentual : c.Percentuais)
                if (s.Chance(40)) percentual = Currency::DeInteiro(5 * s.Entre(1, 4));
        }
        lote.Adicionar(Cadastros::ValoresDoCliente(c));
    }
}

// Every animal belongs to a client drawn at random, so a client has none, one or
// several (1.5 on average at the default scale); the codes of a client's animals
// are consecutive.
std::vector<Dono> GerarAnimais(Sorteio& s, qint64 quantidade, qint64 clientes) {
    std::vector<Dono> donos(clientes + 1);
    for (qint64 i = 0; i < quantidade; ++i)
        ++donos[s.Entre(1, clientes)].Animais;
    InsercaoEmLote lote(QStringLiteral("Animais"),
                        {QStringLiteral("Codigo"), QStringLiteral("CodigoDoCliente"), QStringLiteral("Nome"),
                         QStringLiteral("Especie"), QStringLiteral("Raca"), QStringLiteral("Sexo"),
                         QStringLiteral("DataDeNascimento"), QStringLiteral("Situacao")});
    const QDate hoje = Relogio::Hoje();
    qint64 codigo = 1;
    for (qint64 cliente = 1; cliente <= clientes; ++cliente) {
        Dono& dono = donos[cliente];
        if (dono.Animais > 0) dono.PrimeiroAnimal = codigo;
        for (qint32 a = 0; a < dono.Animais; ++a, ++codigo) {
            const qint64 especie = s.Entre(1, 100);
            lote.Adicionar({codigo, cliente, Texto(s.Um(NomesDeAnimais)),
                            especie <= 60   ? QStringLiteral("Cão")
                            : especie <= 90 ? QStringLiteral("Gato")
                                            : QStringLiteral("Coelho"),
                            especie <= 60 ? QStringLiteral("Sem raça definida") : QString(),
                            s.Chance(50) ? QStringLiteral("Macho") : QStringLiteral("Fêmea"),
                            Banco::DataIso(hoje.addDays(-s.Entre(60, 5000))), s.Chance(5) ? 2 : 1});
        }
    }
    return donos;
}

// ---- The quotes -----------------------------------------------------------------------------

// Half-up rounding of ten-thousandths to whole cents, as a value shown with two
// decimals is rounded.
qint64 EmCentavos(qint64 decimosDeMilesimos) {
    return (decimosDeMilesimos + 50) / 100 * 100;
}

void GerarOrcamentos(Sorteio& s, const Quantidades& q, const std::vector<Dono>& donos,
                     const std::vector<ProdutoGerado>& produtos, const std::vector<ServicoGerado>& servicos,
                     QElapsedTimer& relogio) {
    const QStringList colunasDoOrcamento =
        QStringList{QStringLiteral("NumeroDoOrcamento")} + GravacaoDeOrcamentos::ColunasDoOrcamento;
    const QStringList colunasDoItem =
        QStringList{QStringLiteral("NumeroDoOrcamento")} + GravacaoDeOrcamentos::ColunasDoItem;
    const QDateTime agora = Relogio::Agora();
    const QDate hoje = agora.date();
    constexpr qint64 OrcamentosPorTransacao = 50000;

    for (qint64 inicio = 1; inicio <= q.Orcamentos; inicio += OrcamentosPorTransacao) {
        Banco::UnidadeDeTrabalho unidade;
        {
            InsercaoEmLote orcamentos(QStringLiteral("Orcamentos"), colunasDoOrcamento);
            InsercaoEmLote itens(QStringLiteral("ItensDeOrcamento"), colunasDoItem);
            itens.DependeDe(orcamentos);
            const qint64 fim = std::min(q.Orcamentos, inicio + OrcamentosPorTransacao - 1);
            for (qint64 numero = inicio; numero <= fim; ++numero) {
                // Numbers follow dates: the oldest quote is three years old, the newest is from today.
                const qint64 dias = (q.Orcamentos - numero) * DiasDeHistorico / q.Orcamentos;
                const QDate data = hoje.addDays(-dias);
                const qint64 cliente = s.Entre(1, q.Clientes);
                const Dono& dono = donos[cliente];
                const QVariant animal = dono.Animais > 0
                                            ? QVariant(dono.PrimeiroAnimal + s.Entre(0, dono.Animais - 1))
                                            : Banco::Nulo();
                QDateTime inclusao(data,
                                   QTime(int(s.Entre(8, 18)), int(s.Entre(0, 59)), int(s.Entre(0, 59))));
                if (inclusao > agora) inclusao = agora.addSecs(-60);
                const QString usuario = Texto(s.Um(Usuarios));
                const QString textoDaInclusao = Banco::DataEHoraIso(inclusao);
                // 1 to 20 items, 3 on average: one, and one more with chance 2/3 each time.
                int quantosItens = 1;
                while (quantosItens < 20 && s.Entre(0, 2) != 0)
                    ++quantosItens;
                qint64 total = 0, descontos = 0;
                QList<QVariantList> linhasDosItens;
                for (int i = 1; i <= quantosItens; ++i) {
                    const bool servico = s.Chance(50);
                    qint64 quantidade, unitario, custo, percentual = 0;
                    QVariantList item{numero, i,
                                      servico ? GradeDeItens::LancamentoDeServico
                                              : GradeDeItens::LancamentoDeProduto};
                    if (servico) {
                        const qint64 codigo = s.Entre(1, qint64(servicos.size()));
                        const ServicoGerado& sv = servicos[codigo - 1];
                        quantidade = (sv.Tipo == 6 ? s.Entre(1, 5) : 1) * 10000;
                        unitario = sv.Venda;
                        custo = sv.Custo;
                        if (s.Chance(25)) percentual = s.Entre(1, 4) * 5 * 10000;
                        item << sv.Tipo << codigo << Banco::Nulo() << QString() << sv.Nome;
                    } else {
                        const qint64 codigo = s.Entre(1, qint64(produtos.size()));
                        const ProdutoGerado& p = produtos[codigo - 1];
                        quantidade = p.Balanca ? s.Entre(20, 500) * 100 : s.Entre(1, 3) * 10000;
                        unitario = p.Venda;
                        custo = p.Custo;
                        if (s.Chance(20)) percentual = 5 * 10000;
                        // A weighed product comes from a scale label: "2", the internal code,
                        // the weight in grams and a check digit.
                        const QString barras = p.Balanca ? QStringLiteral("2%1%20")
                                                               .arg(codigo, 6, 10, QChar(u'0'))
                                                               .arg(quantidade / 10, 5, 10, QChar(u'0'))
                                                         : p.CodigoDeBarras;
                        item << Banco::Nulo() << Banco::Nulo() << codigo << barras << p.Nome;
                    }
                    const qint64 bruto = quantidade * unitario / 10000;
                    const qint64 desconto = EmCentavos(bruto * percentual / 1000000);
                    total += bruto;
                    descontos += desconto;
                    // A new item was never changed.
                    item << animal << quantidade << unitario << percentual << desconto << bruto - desconto
                         << custo << 1 << 1 << textoDaInclusao << usuario << Banco::Nulo() << Banco::Nulo();
                    linhasDosItens << item;
                }
                QVariant alteracao = Banco::Nulo(), usuarioDaAlteracao = Banco::Nulo();
                if (s.Chance(20)) {
                    const QDateTime quando = inclusao.addSecs(s.Entre(600, 10 * 86400));
                    if (quando < agora) {
                        alteracao = Banco::DataEHoraIso(quando);
                        usuarioDaAlteracao = Texto(s.Um(Usuarios));
                    }
                }
                const qint32 situacao = s.Chance(dias > 60 ? 60 : 5) ? 2 : 1;
                orcamentos.Adicionar({numero, Banco::DataIso(data), cliente, animal, total,
                                      total == 0 ? 0 : EmCentavos(descontos * 1000000 / total), descontos,
                                      total - descontos, Banco::DataIso(data.addDays(15)), situacao,
                                      quantosItens, textoDaInclusao, usuario, alteracao, usuarioDaAlteracao});
                for (const QVariantList& item : std::as_const(linhasDosItens))
                    itens.Adicionar(item);
            }
        }
        unidade.Confirmar();
        std::fprintf(stderr, "\r  orçamentos: %lld de %lld (%.0f s)",
                     static_cast<long long>(std::min(q.Orcamentos, inicio + OrcamentosPorTransacao - 1)),
                     static_cast<long long>(q.Orcamentos), relogio.elapsed() / 1000.0);
    }
    std::fprintf(stderr, "\n");
}

// ---- Database -------------------------------------------------------------------------------

qint64 Contar(const QString& tabela) {
    return Banco::Valor(QStringLiteral("SELECT COUNT(*) FROM ") + tabela).toLongLong();
}

void Abrir(const Opcoes& o) {
    Negocio::Configuracao configuracao;
    configuracao.ArquivoSQLite = o.Arquivo;
    configuracao.UrlPostgreSQL = o.Url;
    configuracao.CriarDadosDeDemonstracao = false;
    try {
        Negocio::Iniciar(configuracao);
    } catch (const VB::ErroDeExecucao& erro) {
        Sair(QStringLiteral("Não foi possível abrir o banco de dados: ") + erro.Descricao());
    }
}

void Esvaziar(const Opcoes& o) {
    if (!o.Arquivo.isEmpty()) {
        for (const QString& sufixo : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(o.Arquivo + sufixo);
        return;
    }
    Abrir(o);
    Executar(QStringLiteral("SET client_min_messages = warning"));
    Executar(QStringLiteral("DROP SCHEMA public CASCADE"));
    Executar(QStringLiteral("CREATE SCHEMA public"));
    Negocio::Encerrar();
}

// The tables the load writes in bulk.
const char* const TabelasCarregadas[] = {"clientes", "animais",    "produtos",
                                         "servicos", "orcamentos", "itensdeorcamento"};

// What the load sets aside, to rebuild at its end: the definitions of the secondary
// indexes and (SQLite) of the triggers of the tables loaded.
struct Adiado {
    QStringList Indices, Gatilhos;
};

// Runs the drops the query answers in its first column and answers the definitions of
// its second, to create again later.
QStringList Definicoes(const QString& sql) {
    QStringList remocoes, definicoes;
    QSqlQuery q = Banco::Executar(sql);
    while (q.next()) {
        remocoes << q.value(0).toString();
        definicoes << q.value(1).toString();
    }
    q.finish();
    for (const QString& remocao : std::as_const(remocoes))
        Executar(remocao);
    return definicoes;
}

// What is set aside is written down in the database too, in the unit of work that drops
// it: a load that dies halfway leaves it there, and the next load (which finds nothing
// left to drop) creates it at its end with its own. Without this the indexes dropped by a
// load that died were lost, and every later figure read the tables without them.
const QString CargaAdiada = QStringLiteral("CargaAdiada");

// Run outside a unit of work: on PostgreSQL the failed read (no such table, the usual
// case) would end the transaction around it.
Adiado Pendente() {
    Adiado pendente;
    QSqlQuery q(Banco::Conexao());
    if (!q.exec(QStringLiteral("SELECT Tipo, Comando FROM CargaAdiada ORDER BY Ordem"))) return pendente;
    while (q.next())
        (q.value(0).toString() == QLatin1String("gatilho") ? pendente.Gatilhos : pendente.Indices)
            << q.value(1).toString();
    return pendente;
}

void Anotar(const Adiado& adiado) {
    Executar(QStringLiteral("DROP TABLE IF EXISTS CargaAdiada"));
    Executar(QStringLiteral("CREATE TABLE CargaAdiada (Ordem INTEGER, Tipo TEXT, Comando TEXT)"));
    int ordem = 0;
    for (const auto& [tipo, comandos] : {std::pair{QStringLiteral("indice"), &adiado.Indices},
                                         std::pair{QStringLiteral("gatilho"), &adiado.Gatilhos}})
        for (const QString& comando : *comandos)
            Banco::Executar(QStringLiteral("INSERT INTO CargaAdiada (Ordem, Tipo, Comando) VALUES (?, ?, ?)"),
                            {++ordem, tipo, comando});
}

// Settings for the load only (a large page cache, no waiting for the disk: a load that
// dies halfway is simply run again), and what is set aside until its end.
Adiado PrepararCarga() {
    const Dialeto dialeto = Banco::DialetoAtual();
    QStringList nomes;
    for (const char* tabela : TabelasCarregadas)
        nomes << u'\'' + QString::fromLatin1(tabela) + u'\'';
    const QString tabelas = u'(' + nomes.join(u',') + u')';
    if (dialeto.EhSQLite()) {
        Executar(QStringLiteral("PRAGMA cache_size = -400000"));
        Executar(QStringLiteral("PRAGMA synchronous = OFF"));
    } else {
        Executar(QStringLiteral("SET synchronous_commit = off"));
        Executar(QStringLiteral("SET maintenance_work_mem = '512MB'"));
        // Foreign keys are checked by system triggers, which a replica session skips;
        // only a superuser may ask it, and the others load with the checks.
        QSqlQuery q(Banco::Conexao());
        if (!q.exec(QStringLiteral("SET session_replication_role = replica")))
            std::fprintf(stderr, "  chaves estrangeiras conferidas linha a linha (%s)\n",
                         qPrintable(q.lastError().databaseText()));
    }
    Adiado adiado = Pendente();
    Banco::UnidadeDeTrabalho unidade;
    for (const QString& comando : ContagemDeOrcamentos::RemoverGatilhos())
        Executar(comando);
    if (dialeto.EhSQLite()) {
        adiado.Indices +=
            Definicoes(QStringLiteral("SELECT 'DROP INDEX ' || name, sql FROM sqlite_master WHERE type "
                                      "= 'index' AND sql IS NOT NULL AND lower(tbl_name) IN ") +
                       tabelas);
        adiado.Gatilhos +=
            Definicoes(QStringLiteral("SELECT 'DROP TRIGGER ' || name, sql FROM sqlite_master WHERE "
                                      "type = 'trigger' AND lower(tbl_name) IN ") +
                       tabelas);
    } else {
        adiado.Indices += Definicoes(
            QStringLiteral(
                "SELECT 'DROP INDEX ' || i.relname, pg_get_indexdef(i.oid) FROM pg_index x JOIN pg_class "
                "i ON i.oid = x.indexrelid JOIN pg_class t ON t.oid = x.indrelid WHERE t.relnamespace = "
                "current_schema()::regnamespace AND NOT EXISTS (SELECT 1 FROM pg_constraint c WHERE "
                "c.conindid = x.indexrelid) AND t.relname IN ") +
            tabelas);
    }
    Anotar(adiado);
    unidade.Confirmar();
    return adiado;
}

// After the load: the indexes and triggers set aside, the search tables filled, the
// counters recounted, the automatic keys following the numbers written, and the
// files and statistics as a database long in use has them.
void Concluir(const Adiado& adiado, QElapsedTimer& relogio) {
    const Dialeto dialeto = Banco::DialetoAtual();
    {
        Banco::UnidadeDeTrabalho unidade;
        for (const QString& indice : adiado.Indices)
            Executar(indice);
        std::fprintf(stderr, "  %lld índices criados (%.0f s)\n",
                     static_cast<long long>(adiado.Indices.size()), relogio.elapsed() / 1000.0);
        if (dialeto.EhSQLite()) {
            // The search tables were left empty by the triggers set aside: filled at once.
            for (const Dialeto::TabelaPesquisavel& tabela : Pesquisa::Todas())
                for (const QString& comando : dialeto.CriarIndiceDePesquisa(tabela))
                    if (comando.startsWith(QLatin1String("INSERT INTO"))) Executar(comando);
            for (const QString& gatilho : adiado.Gatilhos)
                Executar(gatilho);
            std::fprintf(stderr, "  pesquisa preenchida (%.0f s)\n", relogio.elapsed() / 1000.0);
        }
        ContagemDeOrcamentos::Recontar();
        for (const QString& comando : ContagemDeOrcamentos::CriarGatilhos())
            Executar(comando);
        for (const auto& [tabela, coluna] :
             {std::pair{QStringLiteral("Orcamentos"), QStringLiteral("NumeroDoOrcamento")},
              std::pair{QStringLiteral("GruposDeProdutos"), QStringLiteral("Codigo")},
              std::pair{QStringLiteral("SubgruposDeProdutos"), QStringLiteral("Codigo")}}) {
            const QString sql = dialeto.SincronizarChaveAutomatica(tabela, coluna);
            if (!sql.isEmpty()) Executar(sql);
        }
        Executar(QStringLiteral("DROP TABLE ") + CargaAdiada);
        unidade.Confirmar();
    }
    if (dialeto.EhSQLite()) {
        Executar(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        return;
    }
    QSqlQuery q(Banco::Conexao());
    q.exec(QStringLiteral("SET session_replication_role = origin"));
    // A plain VACUUM ANALYZE right after a load leaves pages its snapshot could not
    // yet see as all-visible unmarked, and counting then visits the table; FREEZE
    // marks every page, as autovacuum would some time later. Another session's
    // snapshot (autovacuum's own analysis of the new rows) can still hold a page back:
    // the tables left short are vacuumed again.
    Executar(QStringLiteral("VACUUM (FREEZE, ANALYZE)"));
    const QString paginas =
        QStringLiteral("SELECT relname, relallvisible, relpages FROM pg_class WHERE "
                       "relnamespace = current_schema()::regnamespace AND relkind = 'r' AND "
                       "relallvisible < relpages");
    for (int vez = 0; vez < 3; ++vez) {
        QSqlQuery faltam = Banco::Executar(paginas);
        QStringList tabelas;
        while (faltam.next())
            tabelas << faltam.value(0).toString();
        faltam.finish();
        if (tabelas.isEmpty()) break;
        Executar(QStringLiteral("VACUUM (FREEZE, ANALYZE) ") + tabelas.join(QStringLiteral(", ")));
    }
    QSqlQuery faltam = Banco::Executar(paginas);
    QStringList resumo;
    while (faltam.next())
        resumo << QStringLiteral("%1 %2 de %3")
                      .arg(faltam.value(0).toString(), faltam.value(1).toString(),
                           faltam.value(2).toString());
    std::fprintf(stderr, "  VACUUM (FREEZE, ANALYZE) (%.0f s); páginas ainda não visíveis a todos: %s\n",
                 relogio.elapsed() / 1000.0,
                 resumo.isEmpty() ? "nenhuma" : qPrintable(resumo.join(QStringLiteral(", "))));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication aplicacao(argc, argv);
    const Opcoes opcoes = LerOpcoes(aplicacao.arguments());
    const Quantidades q(opcoes.Escala);
    const QString destino =
        opcoes.Arquivo.isEmpty() ? QUrl(opcoes.Url).toString(QUrl::RemovePassword) : opcoes.Arquivo;

    if (opcoes.Substituir) Esvaziar(opcoes);
    // Opening brings an existing database's schema up to date: timed, since a new
    // version may build indexes over the rows already there.
    QElapsedTimer abertura;
    abertura.start();
    Abrir(opcoes);
    const double segundosDaAbertura = abertura.elapsed() / 1000.0;
    const qint64 existentes = Contar(QStringLiteral("Orcamentos")) + Contar(QStringLiteral("Clientes"));
    if (existentes > 0) {
        const bool completo = Contar(QStringLiteral("Orcamentos")) >= q.Orcamentos &&
                              Contar(QStringLiteral("Clientes")) == q.Clientes &&
                              Contar(QStringLiteral("Produtos")) == q.Produtos;
        if (opcoes.SeFaltar && completo) {
            std::printf(
                "%s já tem os dados desta escala; nada a gerar (aberto, com o esquema em dia, em %.1f s).\n",
                qPrintable(destino), segundosDaAbertura);
            return 0;
        }
        Sair(QStringLiteral("%1 já tem dados%2. Use --substituir para gerar de novo.")
                 .arg(destino, completo ? QString() : QStringLiteral(" de outra escala")));
    }

    std::fprintf(
        stderr, "Gerando em %s: %lld orçamentos, %lld clientes, %lld animais, %lld produtos, %lld serviços\n",
        qPrintable(destino), static_cast<long long>(q.Orcamentos), static_cast<long long>(q.Clientes),
        static_cast<long long>(q.Animais), static_cast<long long>(q.Produtos),
        static_cast<long long>(q.ServicosPorTipo * std::size(TiposDeServico)));
    QElapsedTimer relogio;
    relogio.start();
    const Adiado adiado = PrepararCarga();
    Sorteio sorteio(opcoes.Semente);
    std::vector<Dono> donos;
    std::vector<ProdutoGerado> produtos;
    std::vector<ServicoGerado> servicos;
    {
        Banco::UnidadeDeTrabalho unidade;
        Cadastros::Empresa empresa;
        empresa.NomeFantasia = QStringLiteral("Rede de Clínicas Veterinárias Bicho Feliz");
        empresa.RazaoSocial = QStringLiteral("Bicho Feliz Serviços Veterinários S.A.");
        empresa.QuantidadeDeDiasParaAValidadeDoOrcamento = 15;
        empresa.FormatoDeCodigoDeBarrasParaBalanca = 2;
        Cadastros::GravarEmpresa(empresa);
        GerarClientes(sorteio, q.Clientes);
        donos = GerarAnimais(sorteio, q.Animais, q.Clientes);
        produtos = GerarProdutos(sorteio, q.Produtos);
        servicos = GerarServicos(sorteio, q.ServicosPorTipo);
        unidade.Confirmar();
    }
    std::fprintf(stderr, "  cadastros gravados (%.0f s)\n", relogio.elapsed() / 1000.0);
    GerarOrcamentos(sorteio, q, donos, produtos, servicos, relogio);
    Concluir(adiado, relogio);
    std::printf("Gerado em %s: %lld orçamentos, %lld itens, %lld clientes, %lld animais, %lld produtos, %lld "
                "serviços "
                "em %.1f s.\n",
                qPrintable(destino), static_cast<long long>(Contar(QStringLiteral("Orcamentos"))),
                static_cast<long long>(Contar(QStringLiteral("ItensDeOrcamento"))),
                static_cast<long long>(Contar(QStringLiteral("Clientes"))),
                static_cast<long long>(Contar(QStringLiteral("Animais"))),
                static_cast<long long>(Contar(QStringLiteral("Produtos"))),
                static_cast<long long>(Contar(QStringLiteral("Servicos"))), relogio.elapsed() / 1000.0);
    Negocio::Encerrar();
    return 0;
}
