#include "load_sheet.h"

namespace tarquel {

std::string_view Symbol(Field field) {
    switch (field) {
        case Field::Kx: return "Kx";
        case Field::Ps: return "Ps";
        case Field::Un: return "Un";
        case Field::TanPhi: return "Tan\u03C6";
        case Field::Pjs: return "Pjs";
        case Field::Qjs: return "Qjs";
        case Field::Sjs: return "Sjs";
        case Field::Ijs: return "Ijs";
    }
    return "?";
}

}  // namespace tarquel
