#ifndef FERROWIND_APP_RES_RESOURCE_IDS_H
#define FERROWIND_APP_RES_RESOURCE_IDS_H
/* The numeric ids of the Windows program's resources (app/res/ferrowind.rc). Read by windres
   and by C++, so only plain #defines here. */

/* The program's icon: the first icon group, the one Explorer and the window class show. */
#define IDI_FERROWIND 1

/* The padlock pictures, 24 bits per pixel: closed 52 x 72, open 50 x 73. */
#define IDB_PADLOCK_CLOSED 101
#define IDB_PADLOCK_OPEN 102

/* The hand the buttons show under the mouse. */
#define IDC_FERROWIND_HAND 201

#endif
