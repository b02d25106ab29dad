#include "app/tab_dispatch.h"

#include "data/namepas.h"

int JyobunTabIndex(const ui::TabSheet* sheet)
{
    for (int i = 0; i < JyobunTabCount; ++i)
        if (JyobunTabHidden[i] != 1 && JyobunTabSheet[i] == sheet)
            return i;
    return -1;
}

int BooksTabIndex(const ui::TabSheet* sheet)
{
    for (int b = 0; b < BooksTabCount; ++b)
        if (BooksTabHidden[b] != 1 && BooksTabSheet[b] == sheet)
            return b;
    return -1;
}
