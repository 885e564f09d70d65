#pragma once
// The program's start-up, in the order Main runs it: the early start-up (the framework's own
// switches and classes, the file types, the application object and its menu handler), the
// framework's initialisation, which calls back LateStartup to make the first window, and the
// event loop. Whatever escapes any of it goes to the framework's unhandled-exception handling.
void Main();

void EarlyStartup();
void InitFileTypes();
// Makes the application object, gives it its version data and registers it.
void NewAppInstance();
// Registers the application's one menu handler, "AboutMenuItem".
void ApplicationAddMenuHandlers();

void LateStartup();
// The first window of the run: the About window.
void MakeDefaultView();
