#pragma once
// The controls' pictures, drawn in code (no image files to ship): command icons and
// the situation labels that the lists copy into their grids. Forms ask for them by
// name: "Adicionar", "Alterar", "Excluir", "Remover", "Imprimir", "Pesquisar",
// "Limpar", "Salvar", "Cancelar", "Fechar", "Aguarde", "Primeiro", "Anterior",
// "Proximo", "Ultimo", "Abaixo", "Calendario", "Email" (an envelope), "Conversa" (a
// speech balloon), and the labels "EtiquetaAtivo" and
// "EtiquetaInativo" (a pill reading "Ativo" or "Inativo"; tamanho is its height).

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace Icones {

// The picture of that name, tamanho pixels high, drawn in the given colour (labels
// keep their own colours). An unknown name gives a null pixmap.
QPixmap Icone(const QString& nome, int tamanho = 16, const QColor& cor = QColor(73, 73, 73));

QStringList Nomes();

} // namespace Icones
