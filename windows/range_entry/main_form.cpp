#include "windows/range_entry/main_form.h"

MainForm& mainForm() {
    static MainForm instance;
    return instance;
}

const design::Window& MainForm::Design() {
    static const design::Window window{.name = "main", .caption = "نرم افزار قرعه",
                                       .clientWidth = 6690, .clientHeight = 4500,
                                       .backColor = 8454016};
    return window;
}

void MainForm::connectHandlers() {}
void MainForm::Form_Activate() {}
void MainForm::Label2_Click() {}
