#pragma once

class Delay;
class Dialogs;
class Keyboard;
class Shell;

// Everything through which the window reaches the world; tests hand in fakes.
struct Platform {
    Shell &shell;
    Dialogs &dialogs;
    Delay &delay;
    Keyboard &keyboard;
};
