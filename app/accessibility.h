#pragma once

// What a screen reader learns of the window's own kinds of controls: the window is a frame
// named by its caption, a page pane a document named by its title, and a click label a button
// or link that can be pressed, or a picture. Installed once; later calls do nothing.
void installAccessibility();
