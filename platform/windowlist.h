#pragma once
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

// The program's loaded windows in load order, each with its Tag.
namespace windowlist {
void add(QWidget* window, const QString& tag);
void remove(QWidget* window);
QList<QWidget*> all();
QString tagOf(const QWidget* window);
// The first loaded window whose Tag equals `tag` exactly, or null.
QWidget* firstTagged(const QString& tag);
// Closes that window; true when there was one.
bool closeFirstTagged(const QString& tag);
}  // namespace windowlist
