// Built only by the layering test, as a logic library: its build must fail.
#include <QtWidgets/QWidget>

void UsesAWidget(QWidget& widget) { widget.show(); }
