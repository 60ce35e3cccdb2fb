#pragma once

class QApplication;

// Creates the main window from the user's settings and the command line, and runs the program.
int RunTagloom(QApplication &app);
