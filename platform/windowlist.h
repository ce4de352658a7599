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
// Closes the first loaded window whose Tag equals `tag` exactly; true when one was closed.
bool closeFirstTagged(const QString& tag);
}
