// Font faces for the toolkit's Times and Helvetica numbers.
#include "app/fonts.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>

void chooseFonts() {
#ifndef _WIN32
    // The first character of an Xft face name tells the style: ' ' regular,
    // 'B' bold, 'I' italic, 'P' bold italic.
    Fl::set_font(FL_HELVETICA, " Liberation Sans");
    Fl::set_font(FL_HELVETICA_BOLD, "BLiberation Sans");
    Fl::set_font(FL_HELVETICA_ITALIC, "ILiberation Sans");
    Fl::set_font(FL_HELVETICA_BOLD_ITALIC, "PLiberation Sans");
    Fl::set_font(FL_TIMES, " Liberation Serif");
    Fl::set_font(FL_TIMES_BOLD, "BLiberation Serif");
    Fl::set_font(FL_TIMES_ITALIC, "ILiberation Serif");
    Fl::set_font(FL_TIMES_BOLD_ITALIC, "PLiberation Serif");
#endif
}
