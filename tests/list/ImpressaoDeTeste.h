#pragma once
// What the printing and sending tests share: the working context they print in, the host's
// menu with the list docked, the sheet printed from a row of the list or as a record form
// opened by the host prints it.

#include "tests/business/BancoDeTeste.h"
#include "tests/component/DublesDoComponente.h"

#include "component/modPrincipal.h"

#include <QToolButton>
#include <cmath>

inline const QString Aplicativo = QStringLiteral("ZELT Veterinária");

// The context before each test: errors recorded, the application's name, the user, the
// list as the host opens it.
inline void PrepararContexto(QObject* usuario) {
    RegistrarMensagemGravadora();
    ErrosExibidos().clear();
    modPrincipal::NomeDaAplicacao = Aplicativo;
    modPrincipal::DadosDoUsuario = usuario;
    modPrincipal::FichaAbertaDiretamente = false;
}

// A quote with the consultation (120,00, 10 %) and, for each further item, a vaccine
// (90,00), of client 1 for Rex and Mel or of another client for one animal; its number.
inline double GravarOrcamento(QObject* usuario, int itens, double cliente = 1, qint32 animal = 10) {
    BancoDeTeste::GradeEmMemoria grade;
    auto orcamento = BancoDeTeste::OrcamentoValido(grade, usuario);
    for (int i = 1; i < itens; ++i)
        grade.AdicionarServico(1, 2, animal == 10 ? 11 : animal, QStringLiteral("1"), QStringLiteral("90,00"),
                               QStringLiteral("0,00"), QStringLiteral("0,00"), QStringLiteral("90,00"));
    grade.DefinirCelula(1, GradeDeItens::CodigoDoAnimal, QString::number(animal));
    orcamento->CodigoDoCliente = cliente;
    orcamento->CodigoDoAnimal = animal;
    const int total = 120 + 90 * (itens - 1);
    orcamento->ValorTotal = VB::Currency::DeInteiro(total);
    orcamento->ValorLiquido = VB::Currency::DeInteiro(total - 12);
    orcamento->DescontoEmPercentual =
        VB::Currency::DeDouble(std::round(120000.0 / total) / 100); // two decimals
    if (orcamento->Adicionar() != 0) qWarning() << orcamento->DescricaoDaFalha << orcamento->DescricaoDoErro;
    return orcamento->CodigoGerado;
}

// The host's menu window with the list docked in its work area: six quotes to a page.
struct Cenario : MenuDeTeste {
    frmLista* lista = AbrirLista();
    Cenario() : MenuDeTeste({1400, 700}, {0, 0, 1400, Twips::ParaPixels(5400)}) {
        modPrincipal::FormularioDeLista = lista;
    }
    template <class T> T* Controle(const char* nome) const {
        return lista->findChild<T*>(QString::fromLatin1(nome));
    }
    QStringList Numeros() const { return Coluna(IFormularioDeLista::ColunaNumeroDoOrcamento); }
    void ProximaPagina() {
        QTest::mouseClick(
            Controle<QWidget>("xrnbBarraDeNavegacao")->findChild<QToolButton*>(QStringLiteral("cmdProximo")),
            Qt::LeftButton);
    }
    void ImprimirLista() {
        QTest::mouseClick(Controle<XRCommandButton>("xrcmdImprimirLista"), Qt::LeftButton);
    }
    // The mouse over the grid's row, then a click on the print command placed over it.
    void ImprimirFichaDaLinha(int linha) {
        // From the header first: a move to where the mouse already is would not be delivered.
        QTest::mouseMove(lista->Grade(), QPoint(300, 5));
        QTest::mouseMove(lista->Grade(), QPoint(300, Twips::ParaPixels(700 + (linha - 1) * 570 + 285)));
        auto* comando = Controle<XRCommandButton>("xrcmdImprimirFicha");
        QVERIFY(comando->Visible());
        QTest::mouseClick(comando, Qt::LeftButton);
    }
};

// The sheet printed as a record form opened by the host prints it, for client 1 under
// these names.
inline qint16 ImprimirFichaDoHost(double numero, const QString& apelido, const QString& nome,
                                  VB::Currency total, VB::Currency percentual, VB::Currency desconto,
                                  VB::Currency liquido) {
    modPrincipal::FichaAbertaDiretamente = true;
    modPrincipal::CodigoDoCliente = 1;
    modPrincipal::ApelidoOuNomeFantasiaDoCliente = apelido;
    modPrincipal::NomeOuRazaoSocialDoCliente = nome;
    return frmLista::ImprimirFichaEmListaOculta(numero, total, percentual, desconto, liquido);
}
