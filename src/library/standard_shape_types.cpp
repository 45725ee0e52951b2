#include "library/standard_shapes.h"

namespace dravenor {

const std::vector<StandardShapeType>& standardShapeTypes()
{
    using K = ParameterKind;
    static const std::vector<StandardShapeType> types = {
        {"Rectangle for Sheet", {{"Big Length", K::Length}, {"Small Length", K::Length}}},
        {"Rectangle for Part", {{"Small Length", K::Length}, {"Big Length", K::Length}}},
        {"Square", {{"Length", K::Length}}},
        {"Circle", {{"Rad", K::Length}}},
        {"Circle Breakup", {{"Dia", K::Length}, {"Ang Br", K::Angle}}},
        {"Arc Section", {{"Big Dia", K::Length}, {"Small Dia", K::Length}, {"Angle", K::Angle}}},
        {"Right Triangle", {{"Base", K::Length}, {"Height", K::Length}}},
        {"Polygon", {{"Sides", K::Count}, {"Length", K::Length}}},
        {"Notched Rectangle", {{"Big Length", K::Length}, {"Small Length", K::Length}, {"Notch Rad", K::Length}}},
        {"Rounded Rectangle", {{"Big Length", K::Length}, {"Small Length", K::Length}, {"Corner Rad", K::Length}}},
        {"Right-angled Trapezoid", {{"Base", K::Length}, {"Left Height", K::Length}, {"Right Height", K::Length}}},
        {"Ring", {{"Big Dia", K::Length}, {"Small Dia", K::Length}}},
        {"Ring Breakup", {{"Big Dia", K::Length}, {"Small Dia", K::Length}, {"Ang Br", K::Angle}}},
        {"Cone Breakup",
         {{"Dia Big", K::Length}, {"Dia Small", K::Length, true}, {"Height", K::Length}, {"Plate Wid", K::Length},
          {"Seg Wid", K::Length, true}, {"Ang Br", K::Angle, true}, {"Kerf", K::Number},
          {"FileName", K::FileName, true}},
         false},
        {"Cylinder Breakup",
         {{"Dia", K::Length}, {"Height", K::Length}, {"Plate Len", K::Length}, {"Plate Wid", K::Length},
          {"Seg Wid", K::Length, true}, {"Kerf", K::Number}, {"FileName", K::FileName, true}},
         false},
    };
    return types;
}

const StandardShapeType* findStandardShapeType(const std::string& caption)
{
    for (const StandardShapeType& t : standardShapeTypes())
        if (t.caption == caption) return &t;
    return nullptr;
}

} // namespace dravenor
