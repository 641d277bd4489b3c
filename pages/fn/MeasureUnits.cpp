#include "pages/fn/MeasureUnits.h"

#include <QComboBox>

void CreateMeasureUnit(QComboBox* Combo)
{
    static const std::pair<int, const char*> measures[] = {
        {0, "шт. или ед."},
        {10, "Грамм"},
        {11, "Килограмм"},
        {12, "Тонна"},
        {20, "Сантиметр"},
        {21, "Дециметр"},
        {22, "Метр"},
        {30, "Квадратный сантиметр"},
        {31, "Квадратный дециметр"},
        {32, "Квадратный метр"},
        {40, "Миллилитр"},
        {41, "Литр"},
        {42, "Кубический метр"},
        {50, "Киловатт час"},
        {51, "Гигакалория"},
        {70, "Сутки"},
        {71, "Час"},
        {72, "Минута"},
        {73, "Секунда"},
        {80, "Килобайт"},
        {81, "Мегабайт"},
        {82, "Гигабайт"},
        {83, "Терабайт"},
        {255, "Иное"},
    };
    Combo->clear();
    for (const auto& [code, name] : measures)
        Combo->addItem(QStringLiteral("%1. %2").arg(code).arg(QString::fromUtf8(name)), code);
    Combo->setCurrentIndex(0);
}
