// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// The second floor for start-up figures: the least a Qt form with the program's kinds of controls
// costs. Unlike the bare window it draws text, so it pays for fontconfig and the font engine as
// any such form does; it keeps Qt's defaults otherwise (its style, its fonts, its label).
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog window;
    window.setWindowTitle(QStringLiteral("Minimal form"));

    auto *menuBar = new QMenuBar(&window);
    menuBar->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"), &window,
                                                          &QDialog::reject);

    // Wrapped at a width fixed from the font, as the program wraps its descriptions.
    auto *label = new QLabel(QStringLiteral("This form asks for a name and a day of the month. It "
                                            "shows the controls a small program's window has."),
                             &window);
    label->setWordWrap(true);
    label->setFixedWidth(label->fontMetrics().averageCharWidth() * 62);

    auto *name = new QLineEdit(&window);
    auto *day = new QComboBox(&window); // not editable: a selection only
    for (int number = 1; number <= 31; ++number)
        day->addItem(QString::number(number));
    auto *button = new QPushButton(QStringLiteral("&OK"), &window);

    auto *layout = new QVBoxLayout(&window);
    layout->setMenuBar(menuBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label);
    layout->addWidget(name);
    layout->addWidget(day);
    layout->addWidget(button);

    window.show();
    return QApplication::exec();
}
