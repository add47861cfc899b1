// Built only by the layering test, against a logic library: it must not compile.
#include <QWidget>

void UsesAWidget(QWidget& widget) { widget.show(); }
