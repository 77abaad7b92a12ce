/* Service data: the member's settings loaded at start-up and the shipped
 * phone book and advertisement list imported into the registry. */
#ifndef TOVA_SERVICEDATA_H
#define TOVA_SERVICEDATA_H

void ImportServiceData(void);

#endif
