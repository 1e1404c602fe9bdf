// The toolkit's Times and Helvetica faces. The window layouts were measured for
// fonts of Times and Helvetica widths; the desktop's default serif and sans faces
// are wider and would push long captions past their boxes.
#pragma once

// Points FLTK's Times and Helvetica font numbers at metric-compatible faces
// (installed with the program's dependencies); without them the toolkit's
// default faces stay in use. On Windows the toolkit's defaults are Times New
// Roman and Arial, which are those widths already, and stay.
void chooseFonts();
