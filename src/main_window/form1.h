#pragma once
#include <QWidget>
// Placeholder until the window is built.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
};
