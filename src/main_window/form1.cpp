#include "main_window/form1.h"
Form1::Form1(QWidget* parent) : QWidget(parent) { setWindowTitle(QStringLiteral("Vendrel v2.0.3")); }
