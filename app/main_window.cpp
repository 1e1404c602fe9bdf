// Building the title screen and leaving it through "Exit".
#include "app/main_window.h"

#include "app/intro_view.h"
#include "app/menu_window.h"
#include "app/registry.h"
#include "scene/data_files.h"

#include <FL/Fl_BMP_Image.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>

MainWindow::~MainWindow() { delete titleImage; }

void buildTitleScreen(MainWindow& window) {
    // The box reaches past the window's left and bottom edges; the image is drawn
    // centred in it, on the window point (174, 464) whatever its size.
    window.bitmapBox = new Fl_Box(FL_NO_BOX, -50, 105, 448, 718, "");
    window.titleImage = new Fl_BMP_Image(dataFilePath("zel.bmp").c_str());
    window.bitmapBox->image(window.titleImage);

    window.goButton = new Fl_Button(284, 353, 120, 40, "Go");
    window.goButton->color(3);
    window.goButton->labelfont(9);
    window.goButton->labelsize(32);
    window.goButton->labelcolor(2);
    window.goButton->callback(goToMenu, nullptr);

    window.quantumLabel = new Fl_Box(FL_NO_BOX, 20, 40, 400, 70, "Quantum");
    window.quantumLabel->labelsize(90);
    window.quantumLabel->labelfont(9);
    window.quantumLabel->labelcolor(2);

    window.orvantisLabel = new Fl_Box(FL_NO_BOX, 90, 143, 420, 70, "Orvantis");
    window.orvantisLabel->labelsize(90);
    window.orvantisLabel->labelfont(9);
    window.orvantisLabel->labelcolor(3);

    window.demonstrationsLabel = new Fl_Box(FL_NO_BOX, 260, 280, 200, 30, "DEMONSTRATIONS");
    window.demonstrationsLabel->labelsize(24);
    window.demonstrationsLabel->labelfont(1);
    window.demonstrationsLabel->labelcolor(1);

    window.exitButton = new Fl_Button(13, 693, 120, 40, "Exit");
    window.exitButton->color(3);
    window.exitButton->labelfont(9);
    window.exitButton->labelsize(32);
    window.exitButton->labelcolor(1);
    window.exitButton->callback(exitFromTitle, nullptr);
}

void exitFromTitle(Fl_Widget*, void*) {
    mainWindow->titleActive = false;
    introView->hide();
    mainWindow->hide();
}
