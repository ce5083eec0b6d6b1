/* Resource ids shared by Tessarin.rc and the program's code. */
#ifndef TESSARIN_RES_RESOURCE_H
#define TESSARIN_RES_RESOURCE_H

/* The program icon: main window, notification area, options page. */
#define IDI_TESSARIN 1

#endif
