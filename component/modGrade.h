#pragma once
// The look the forms' grids share, in one place: the list's grid, the record form's
// items grid and the search dialogs' grids are flat, borderless, in Arial 11, with a
// bold header row and rows shaded alternately.

#include <QString>
#include <span>

class MSFlexGrid;

namespace modGrade {

struct ColunaDaGrade {
    const char16_t* Titulo;
    int Largura; // twips; 0 hides the column
    int Alinhamento;
    int Atributo;                // kept in the column's ColData; nothing reads it
    const char16_t* Campo = u""; // the recordset's field the column shows, if one
};

// Colours of the grids, as VB colours.
inline constexpr int CorDoCodigo = 0x808080; // the grey of column 1, header and rows
inline constexpr int CorDaLinhaImpar = 0xF2F2F2;
inline constexpr int CorDaLinhaPar = 0xFFFFFF;

// Hides the grid, stops its drawing and gives it the shared look: flat, no border, no
// fixed column, Arial 11, fixed row on corFixa, white background, black text, grid
// lines off in 0xEFEFEF, word wrap, no focus rectangle, the given scroll bars and
// selection colour.
void AplicarAparencia(MSFlexGrid* grade, int corFixa, int barrasDeRolagem, int corDaSelecao = 0xD9D9D9);

// One row of captions, the columns' widths, alignments and attributes, and the header
// cells bold, grey in column 1, on corDoCabecalho. The grid keeps one row (no fixed
// row: a grid of one row cannot have one).
void DefinirColunas(MSFlexGrid* grade, std::span<const ColunaDaGrade> colunas, int corDoCabecalho);

// Shades every cell of a row: background by the row's parity, text grey in column 1
// and black elsewhere.
void EstilizarLinha(MSFlexGrid* grade, int linha, int corImpar = CorDaLinhaImpar, int corPar = CorDaLinhaPar);

} // namespace modGrade
