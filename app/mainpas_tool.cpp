#include "app/mainpas.h"

#include "authoring/toolpas.h"

#include <QAction>

// The grid popup's tool item works where the developer title shows it.
void TMain::ToolConnect()
{
    ToolAction->setEnabled(ToolAction->isVisible());
    connect(ToolAction, &QAction::triggered, this, &TMain::ToolActionClick);
}

void TMain::ToolActionClick()
{
    ToolFormOpen();
}
