/* C interface of quandorlib. Not built yet. */
#ifndef QUANDOR_QUANDOR_H_
#define QUANDOR_QUANDOR_H_
#endif /* QUANDOR_QUANDOR_H_ */
