#pragma once
// The page tree of the main window: twelve groups, each with its pages in tab order.
#include "core/pages/untPages.h"

#include <QString>
#include <vector>

struct TPageGroup {
    QString Caption;
    std::vector<TPageClass> Pages;
};

const std::vector<TPageGroup>& PageGroups();
