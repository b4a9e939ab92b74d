#include "link/LinkTexts.h"

namespace ks {

namespace {

const char* const kLost[5] = {
    "Port série perdu : en attente de son retour...",
    "The serial port was lost: waiting for it to come back...",
    "Porta serial perdida: aguardando o seu retorno...",
    "Serielle Schnittstelle verloren: warten, bis sie zurückkommt...",
    "Puerto serie perdido: esperando a que vuelva...",
};

const char* const kBack[5] = {
    "Port série retrouvé.",       "The serial port is back.",
    "A porta serial voltou.",     "Die serielle Schnittstelle ist wieder da.",
    "El puerto serie ha vuelto.",
};

int index(int language) {
    return language >= 1 && language <= 5 ? language - 1 : 1;
}

} // namespace

const char* portLostText(int language) {
    return kLost[index(language)];
}

const char* portBackText(int language) {
    return kBack[index(language)];
}

} // namespace ks
