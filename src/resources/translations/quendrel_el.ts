<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el_GR" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="64000">
        <source>Warning</source>
        <extracomment>_WARNING</extracomment>
        <translation>Προσοχή</translation>
    </message>
    <message id="64001">
        <source>Note</source>
        <extracomment>_NOTE_CAPTION</extracomment>
        <translation>Σημείωση</translation>
    </message>
    <message id="64002">
        <source>Searching Upnp Devices! Please wait</source>
        <extracomment>_UPNP_BUSY</extracomment>
        <translation>Αναζήτηση συσκευών UPnP! Περιμένετε</translation>
    </message>
    <message id="64003">
        <source>Please specify the network type first.</source>
        <extracomment>_CHOOSE_NETWORK_TYPE</extracomment>
        <translation>Επιλέξτε πρώτα τον τύπο δικτύου.</translation>
    </message>
    <message id="64004">
        <source>Control package sent.
Please try to re-search the device after one minute.</source>
        <extracomment>_CONTROL_PACKAGE_SENT</extracomment>
        <translation>Το πακέτο ελέγχου στάλθηκε.
Αναζητήστε ξανά τη συσκευή σε ένα λεπτό.</translation>
    </message>
    <message id="64005">
        <source>Failed to send the control package.</source>
        <extracomment>_CONTROL_PACKAGE_FAILED</extracomment>
        <translation>Αποτυχία αποστολής του πακέτου ελέγχου.</translation>
    </message>
    <message id="64006">
        <source>The adapter the device answered on is gone: the package took the routed broadcast instead.</source>
        <extracomment>_ADAPTER_GONE</extracomment>
        <translation>Ο προσαρμογέας όπου απάντησε η συσκευή χάθηκε: το πακέτο στάλθηκε ως δρομολογημένο broadcast.</translation>
    </message>
    <message id="64007">
        <source>Invalid %s - [%s]</source>
        <extracomment>_INVALID_ADDRESS</extracomment>
        <translation>Μη έγκυρο: %s - [%s]</translation>
    </message>
    <message id="64008">
        <source>Unresonable Gateway - [%s]</source>
        <extracomment>_UNREASONABLE_GATEWAY</extracomment>
        <translation>Μη εύλογη πύλη - [%s]</translation>
    </message>
    <message id="64009">
        <source>Invalid %s - [%s]: %s</source>
        <extracomment>_REFUSED_ADDRESS</extracomment>
        <translation>Μη έγκυρο: %s - [%s]: %s</translation>
    </message>
    <message id="64010">
        <source>Too long %s - [%s]: at most %s characters</source>
        <extracomment>_TOO_LONG</extracomment>
        <translation>Πολύ μεγάλο: %s - [%s]: έως %s χαρακτήρες</translation>
    </message>
    <message id="64012">
        <source>empty</source>
        <extracomment>_REASON_EMPTY</extracomment>
        <translation>κενό</translation>
    </message>
    <message id="64013">
        <source>not four decimal numbers 0-255 joined by dots</source>
        <extracomment>_REASON_NOT_DOTTED_QUAD</extracomment>
        <translation>όχι τέσσερις αριθμοί 0-255 χωρισμένοι με τελείες</translation>
    </message>
    <message id="64014">
        <source>a number with a leading zero, which some devices read as octal</source>
        <extracomment>_REASON_LEADING_ZERO</extracomment>
        <translation>αριθμός με αρχικό 0, που κάποιες συσκευές διαβάζουν οκταδικά</translation>
    </message>
    <message id="64015">
        <source>a reserved address (240.0.0.0/4), which no device can use</source>
        <extracomment>_REASON_RESERVED</extracomment>
        <translation>δεσμευμένη διεύθυνση (240.0.0.0/4), άχρηστη για κάθε συσκευή</translation>
    </message>
    <message id="64016">
        <source>the broadcast address</source>
        <extracomment>_REASON_BROADCAST</extracomment>
        <translation>η διεύθυνση broadcast</translation>
    </message>
    <message id="64017">
        <source>a multicast address</source>
        <extracomment>_REASON_MULTICAST</extracomment>
        <translation>διεύθυνση multicast</translation>
    </message>
    <message id="64018">
        <source>a loopback address</source>
        <extracomment>_REASON_LOOPBACK</extracomment>
        <translation>διεύθυνση loopback</translation>
    </message>
    <message id="64019">
        <source>an address of network 0, which no device can reach (0.0.0.0 alone means none)</source>
        <extracomment>_REASON_NETWORK_ZERO_SERVER</extracomment>
        <translation>διεύθυνση του δικτύου 0, απρόσιτη για τις συσκευές (μόνο το 0.0.0.0 = καμία)</translation>
    </message>
    <message id="64020">
        <source>an address of network 0, which no device can take</source>
        <extracomment>_REASON_NETWORK_ZERO_HOST</extracomment>
        <translation>διεύθυνση του δικτύου 0, που καμία συσκευή δεν δέχεται</translation>
    </message>
    <message id="64021">
        <source>not contiguous: its ones must all come before its zeros</source>
        <extracomment>_REASON_MASK_NOT_CONTIGUOUS</extracomment>
        <translation>μη συνεχής: όλοι οι άσσοι πρέπει να προηγούνται των μηδενικών</translation>
    </message>
    <message id="64022">
        <source>0.0.0.0 leaves no network</source>
        <extracomment>_REASON_MASK_NO_NETWORK</extracomment>
        <translation>το 0.0.0.0 δεν αφήνει δίκτυο</translation>
    </message>
    <message id="64023">
        <source>255.255.255.255 leaves no other host on the network</source>
        <extracomment>_REASON_MASK_NO_HOST</extracomment>
        <translation>το 255.255.255.255 δεν αφήνει άλλον κόμβο στο δίκτυο</translation>
    </message>
    <message id="64024">
        <source>the broadcast address of its subnet</source>
        <extracomment>_REASON_SUBNET_BROADCAST</extracomment>
        <translation>η διεύθυνση broadcast του υποδικτύου της</translation>
    </message>
    <message id="64025">
        <source>the network address of its subnet</source>
        <extracomment>_REASON_SUBNET_NETWORK</extracomment>
        <translation>διεύθυνση δικτύου του υποδικτύου της</translation>
    </message>
    <message id="64026">
        <source>the broadcast address of the IP address's subnet</source>
        <extracomment>_REASON_GATEWAY_BROADCAST</extracomment>
        <translation>η διεύθυνση broadcast του υποδικτύου της IP</translation>
    </message>
    <message id="64027">
        <source>the network address of the IP address's subnet</source>
        <extracomment>_REASON_GATEWAY_NETWORK</extracomment>
        <translation>η διεύθυνση δικτύου του υποδικτύου της IP</translation>
    </message>
    <message id="64030">
        <source>No: Zero children</source>
        <extracomment>_UPNP_NO_CHILDREN</extracomment>
        <translation>Όχι: καμία θυγατρική</translation>
    </message>
    <message id="64031">
        <source>Yes: One child</source>
        <extracomment>_UPNP_ONE_CHILD</extracomment>
        <translation>Ναι: μία θυγατρική</translation>
    </message>
    <message id="64032">
        <source>Yes: %s children</source>
        <extracomment>_UPNP_CHILDREN</extracomment>
        <translation>Ναι: %s θυγατρικές</translation>
    </message>
    <message id="64033">
        <source>No: Zero services</source>
        <extracomment>_UPNP_NO_SERVICES</extracomment>
        <translation>Όχι: καμία υπηρεσία</translation>
    </message>
    <message id="64034">
        <source>Yes: One service</source>
        <extracomment>_UPNP_ONE_SERVICE</extracomment>
        <translation>Ναι: μία υπηρεσία</translation>
    </message>
    <message id="64035">
        <source>Yes: %sservices</source>
        <extracomment>_UPNP_SERVICES</extracomment>
        <translation>Ναι: %s υπηρεσίες</translation>
    </message>
    <message id="64036">
        <source>Yes</source>
        <extracomment>_YES</extracomment>
        <translation>Ναι</translation>
    </message>
    <message id="64037">
        <source>No</source>
        <extracomment>_NO</extracomment>
        <translation>Όχι</translation>
    </message>
    <message id="64038">
        <source>This is a topmost device</source>
        <extracomment>_TOPMOST_DEVICE</extracomment>
        <translation>Συσκευή ανώτατου επιπέδου</translation>
    </message>
    <message id="64100">
        <source>Assign addresses...</source>
        <extracomment>_ASSIGN_ADDRESSES_MENU</extracomment>
        <translation>Ανάθεση διευθύνσεων...</translation>
    </message>
    <message id="64101">
        <source>Assign addresses</source>
        <extracomment>_ASSIGN_ADDRESSES</extracomment>
        <translation>Ανάθεση διευθύνσεων</translation>
    </message>
    <message id="64102">
        <source>First address</source>
        <extracomment>_FIRST_ADDRESS</extracomment>
        <translation>Πρώτη διεύθυνση</translation>
    </message>
    <message id="64103">
        <source>Current IP</source>
        <extracomment>_CURRENT_IP</extracomment>
        <translation>Τρέχουσα IP</translation>
    </message>
    <message id="64104">
        <source>New IP</source>
        <extracomment>_NEW_IP</extracomment>
        <translation>Νέα IP</translation>
    </message>
    <message id="64105">
        <source>Status</source>
        <extracomment>_STATUS</extracomment>
        <translation>Κατάσταση</translation>
    </message>
    <message id="64106">
        <source>Skipped addresses</source>
        <extracomment>_SKIPPED_ADDRESSES</extracomment>
        <translation>Εξαιρούμενες διευθύνσεις</translation>
    </message>
    <message id="64107">
        <source>Save plan...</source>
        <extracomment>_SAVE_PLAN</extracomment>
        <translation>Αποθήκευση πλάνου...</translation>
    </message>
    <message id="64108">
        <source>Load plan...</source>
        <extracomment>_LOAD_PLAN</extracomment>
        <translation>Φόρτωση πλάνου...</translation>
    </message>
    <message id="64109">
        <source>Stop</source>
        <extracomment>_STOP</extracomment>
        <translation>Διακοπή</translation>
    </message>
    <message id="64110">
        <source>planned</source>
        <extracomment>_STATUS_PLANNED</extracomment>
        <translation>στο πλάνο</translation>
    </message>
    <message id="64111">
        <source>waiting</source>
        <extracomment>_STATUS_WAITING</extracomment>
        <translation>αναμονή</translation>
    </message>
    <message id="64112">
        <source>confirmed in %1 s</source>
        <extracomment>_STATUS_CONFIRMED</extracomment>
        <translation>επιβεβαίωση σε %1 s</translation>
    </message>
    <message id="64113">
        <source>not seen</source>
        <extracomment>_STATUS_NOT_SEEN</extracomment>
        <translation>δεν εντοπίστηκε</translation>
    </message>
    <message id="64114">
        <source>other address (%1)</source>
        <extracomment>_STATUS_OTHER_ADDRESS</extracomment>
        <translation>άλλη διεύθυνση (%1)</translation>
    </message>
    <message id="64115">
        <source>network address</source>
        <extracomment>_SKIP_NETWORK</extracomment>
        <translation>διεύθυνση δικτύου</translation>
    </message>
    <message id="64116">
        <source>broadcast address</source>
        <extracomment>_SKIP_BROADCAST</extracomment>
        <translation>διεύθυνση broadcast</translation>
    </message>
    <message id="64117">
        <source>gateway</source>
        <extracomment>_SKIP_GATEWAY</extracomment>
        <translation>πύλη</translation>
    </message>
    <message id="64118">
        <source>DNS server</source>
        <extracomment>_SKIP_DNS</extracomment>
        <translation>διακομιστής DNS</translation>
    </message>
    <message id="64119">
        <source>this PC</source>
        <extracomment>_SKIP_THIS_PC</extracomment>
        <translation>αυτός ο Η/Υ</translation>
    </message>
    <message id="64120">
        <source>held by a device (%1)</source>
        <extracomment>_SKIP_HELD</extracomment>
        <translation>δεσμευμένη από συσκευή (%1)</translation>
    </message>
    <message id="64121">
        <source>in use on the LAN</source>
        <extracomment>_SKIP_IN_USE</extracomment>
        <translation>σε χρήση στο LAN</translation>
    </message>
    <message id="64122">
        <source>Another device answers from this IP address with another MAC. Give one of them another address (Network setup or Assign addresses).</source>
        <extracomment>_MARK_IP_CONFLICT</extracomment>
        <translation>Άλλη συσκευή απαντά από αυτή τη διεύθυνση IP με άλλη MAC. Δώστε σε μία από τις δύο άλλη διεύθυνση (Ρύθμιση δικτύου ή Ανάθεση διευθύνσεων).</translation>
    </message>
    <message id="64123">
        <source>This IP address lies outside the subnet of the adapter the device answered on (%1). Give the device an address in that subnet (Network setup or Assign addresses).</source>
        <extracomment>_MARK_OTHER_SUBNET</extracomment>
        <translation>Αυτή η διεύθυνση IP είναι εκτός του υποδικτύου του προσαρμογέα όπου απάντησε η συσκευή (%1). Δώστε στη συσκευή διεύθυνση σε εκείνο το υποδίκτυο (Ρύθμιση δικτύου ή Ανάθεση διευθύνσεων).</translation>
    </message>
    <message id="64124">
        <source>Only %1 free addresses for %2 devices upward from the first address in its subnet.</source>
        <extracomment>_PLAN_TOO_FEW</extracomment>
        <translation>Μόνο %1 ελεύθερες διευθύνσεις για %2 συσκευές από την πρώτη διεύθυνση στο υποδίκτυό της.</translation>
    </message>
    <message id="64125">
        <source>%1 is taken: %2</source>
        <extracomment>_PLAN_TAKEN</extracomment>
        <translation>%1 σε χρήση: %2</translation>
    </message>
    <message id="64126">
        <source>Checking on the LAN which addresses are free...</source>
        <extracomment>_CHECKING_LAN</extracomment>
        <translation>Έλεγχος στο LAN για ελεύθερες διευθύνσεις...</translation>
    </message>
    <message id="64127">
        <source>Plan ready: press Apply to send it.</source>
        <extracomment>_PLAN_READY</extracomment>
        <translation>Πλάνο έτοιμο: πατήστε Εφαρμογή για αποστολή.</translation>
    </message>
    <message id="64128">
        <source>Nothing was sent: %1</source>
        <extracomment>_NOTHING_SENT</extracomment>
        <translation>Δεν στάλθηκε τίποτα: %1</translation>
    </message>
    <message id="64129">
        <source>Sent %1 package(s); looking for the devices at their new addresses...</source>
        <extracomment>_WAITING_FOR_DEVICES</extracomment>
        <translation>Στάλθηκαν %1 πακέτα, αναζήτηση των συσκευών στις νέες διευθύνσεις τους...</translation>
    </message>
    <message id="64130">
        <source>%1 of %2 devices answer from their new addresses.</source>
        <extracomment>_ASSIGN_DONE</extracomment>
        <translation>%1 από %2 συσκευές απαντούν από τις νέες διευθύνσεις τους.</translation>
    </message>
    <message id="64131">
        <source>Plan files (*.csv)</source>
        <extracomment>_PLAN_FILE_FILTER</extracomment>
        <translation>Αρχεία πλάνου (*.csv)</translation>
    </message>
    <message id="64132">
        <source>Cannot read the plan file %1: %2</source>
        <extracomment>_PLAN_FILE_UNREADABLE</extracomment>
        <translation>Αδύνατη η ανάγνωση του αρχείου πλάνου %1: %2</translation>
    </message>
    <message id="64133">
        <source>Cannot write the plan file %1.</source>
        <extracomment>_PLAN_FILE_UNWRITABLE</extracomment>
        <translation>Αδύνατη η εγγραφή του αρχείου πλάνου %1.</translation>
    </message>
    <message id="64134">
        <source>Line %1 names MAC %2, which is not among the chosen devices.</source>
        <extracomment>_PLAN_FILE_OTHER_DEVICE</extracomment>
        <translation>Η γραμμή %1 αναφέρει MAC %2, που δεν ανήκει στις επιλεγμένες συσκευές.</translation>
    </message>
    <message id="64135">
        <source>Check the addresses: %1</source>
        <extracomment>_CHECK_ADDRESSES</extracomment>
        <translation>Ελέγξτε τις διευθύνσεις: %1</translation>
    </message>
    <message id="64136">
        <source>no free address</source>
        <extracomment>_NO_FREE_ADDRESS</extracomment>
        <translation>καμία ελεύθερη IP</translation>
    </message>
    <message id="64137">
        <source>Plan</source>
        <extracomment>_PLAN_TABLE</extracomment>
        <translation>Πλάνο</translation>
    </message>
    <message id="64138">
        <source>Devices confirmed</source>
        <extracomment>_ASSIGN_PROGRESS</extracomment>
        <translation>Επιβεβ. συσκευές</translation>
    </message>
    <message id="64139">
        <source>Whether a host holds %1 cannot be checked: no adapter the devices answered on is in that subnet.</source>
        <extracomment>_UNCHECKED_ADDRESSES</extracomment>
        <translation>Δεν ελέγχεται αν η %1 ανήκει σε κόμβο: κανένας προσαρμογέας όπου απάντησαν οι συσκευές δεν είναι σε αυτό το υποδίκτυο.</translation>
    </message>
    <message id="64140">
        <source>The gateway %1 lies outside the subnet of %2/%3: the devices could not reach it.</source>
        <extracomment>_GATEWAY_OUTSIDE</extracomment>
        <translation>Η πύλη %1 είναι εκτός του υποδικτύου %2/%3: οι συσκευές δεν θα μπορούσαν να τη φτάσουν.</translation>
    </message>
    <message id="64200">
        <source>No web browser could be started. Open this address in a browser yourself:</source>
        <extracomment>_BROWSER_NOT_STARTED</extracomment>
        <translation>Δεν ήταν δυνατό να ανοίξει πρόγραμμα περιήγησης. Ανοίξτε μόνοι σας αυτή τη διεύθυνση:</translation>
    </message>
    <message id="64250">
        <source>No network adapter is up that can broadcast: connect this PC to the cameras' network.</source>
        <extracomment>_HINT_NO_ADAPTER</extracomment>
        <translation>Δεν υπάρχει ενεργός προσαρμογέας για broadcast: συνδέστε τον υπολογιστή στο δίκτυο των καμερών.</translation>
    </message>
    <message id="64251">
        <source>Cannot listen for answers on UDP port 6667: another program is using it.</source>
        <extracomment>_HINT_REPLY_PORT</extracomment>
        <translation>Αδύνατη η λήψη απαντήσεων στη θύρα UDP 6667: τη χρησιμοποιεί άλλο πρόγραμμα.</translation>
    </message>
    <message id="64252">
        <source>The firewall (%s) drops the cameras' answers: let UDP port 6667 in.</source>
        <extracomment>_HINT_FIREWALL</extracomment>
        <translation>Το τείχος προστασίας (%s) κόβει τις απαντήσεις των καμερών: ανοίξτε τη θύρα UDP 6667.</translation>
    </message>
    <message id="65472">
        <source>ModelNumber</source>
        <extracomment>_MODEL_NUMBER</extracomment>
        <translation>Αριθμός μοντέλου</translation>
    </message>
    <message id="65473">
        <source>IconURL</source>
        <extracomment>_ICON_URL</extracomment>
        <translation>URL εικονιδίου</translation>
    </message>
    <message id="65474">
        <source>Description</source>
        <extracomment>_DESCRIPTION</extracomment>
        <translation>Περιγραφή</translation>
    </message>
    <message id="65475">
        <source>Friendlyname</source>
        <extracomment>_FRIENDLY_NAME</extracomment>
        <translation>Φιλικό όνομα</translation>
    </message>
    <message id="65476">
        <source>ParentDevice</source>
        <extracomment>_PARENT_DEVICE</extracomment>
        <translation>Γονική συσκευή</translation>
    </message>
    <message id="65488">
        <source>Device Information</source>
        <extracomment>_DEVICE_INFORMATION</extracomment>
        <translation>Στοιχεία συσκευής</translation>
    </message>
    <message id="65489">
        <source>Upnp Device Detail Info.</source>
        <extracomment>_UPNP_DEVICE_DETAIL_INFO</extracomment>
        <translation>Λεπτομέρειες UPnP</translation>
    </message>
    <message id="65490">
        <source>Child</source>
        <extracomment>_CHILD</extracomment>
        <translation>Θυγατρική</translation>
    </message>
    <message id="65491">
        <source>HasChildren</source>
        <extracomment>_HAS_CHILDREN</extracomment>
        <translation>Έχει θυγατρικές</translation>
    </message>
    <message id="65492">
        <source>IsRootDevice</source>
        <extracomment>_IS_ROOT_DEVICE</extracomment>
        <translation>Είναι ριζική</translation>
    </message>
    <message id="65493">
        <source>PresentationURL</source>
        <extracomment>_PRESENTATION_URL</extracomment>
        <translation>URL παρουσίασης</translation>
    </message>
    <message id="65494">
        <source>ModelURL</source>
        <extracomment>_MODEL_URL</extracomment>
        <translation>URL μοντέλου</translation>
    </message>
    <message id="65495">
        <source>RootDevice</source>
        <extracomment>_ROOT_DEVICE</extracomment>
        <translation>Ριζική συσκευή</translation>
    </message>
    <message id="65496">
        <source>SerialNumber</source>
        <extracomment>_SERIAL_NUMBER</extracomment>
        <translation>Σειριακός αριθμός</translation>
    </message>
    <message id="65497">
        <source>Type</source>
        <extracomment>_UPNPInfoForm_TYPE</extracomment>
        <translation>Τύπος</translation>
    </message>
    <message id="65498">
        <source>Services</source>
        <extracomment>_SERVICES</extracomment>
        <translation>Υπηρεσίες</translation>
    </message>
    <message id="65499">
        <source>UniqueDeviceName</source>
        <extracomment>_UNIQUE_DEVICE_NAME</extracomment>
        <translation>Μοναδικό όνομα</translation>
    </message>
    <message id="65500">
        <source>UPC</source>
        <extracomment>_UPC</extracomment>
        <translation>UPC</translation>
    </message>
    <message id="65501">
        <source>ManufacturerURL</source>
        <extracomment>_MANUFACTURER_URL</extracomment>
        <translation>URL κατασκευαστή</translation>
    </message>
    <message id="65502">
        <source>ModelName</source>
        <extracomment>_MODEL_NAME</extracomment>
        <translation>Όνομα μοντέλου</translation>
    </message>
    <message id="65503">
        <source>ManufacturerName</source>
        <extracomment>_MANUFACURL_NAME</extracomment>
        <translation>Κατασκευαστής</translation>
    </message>
    <message id="65504">
        <source>Name</source>
        <extracomment>_NAME</extracomment>
        <translation>Όνομα</translation>
    </message>
    <message id="65505">
        <source>IP</source>
        <extracomment>_IP</extracomment>
        <translation>IP</translation>
    </message>
    <message id="65506">
        <source>Netmask</source>
        <extracomment>_NETMASK</extracomment>
        <translation>Μάσκα δικτύου</translation>
    </message>
    <message id="65507">
        <source>Gateway</source>
        <extracomment>_GATEWAY</extracomment>
        <translation>Πύλη</translation>
    </message>
    <message id="65508">
        <source>Port</source>
        <extracomment>_PORT</extracomment>
        <translation>Θύρα</translation>
    </message>
    <message id="65509">
        <source>MAC</source>
        <extracomment>_MAC</extracomment>
        <translation>MAC</translation>
    </message>
    <message id="65510">
        <source>DEV</source>
        <extracomment>_DEV</extracomment>
        <translation>Διασύνδεση</translation>
    </message>
    <message id="65511">
        <source>DNS</source>
        <extracomment>_DNS</extracomment>
        <translation>DNS</translation>
    </message>
    <message id="65512">
        <source>Note</source>
        <extracomment>_NOTE</extracomment>
        <translation>Σημείωση</translation>
    </message>
    <message id="65513">
        <source>Apply</source>
        <extracomment>_APPLY</extracomment>
        <translation>Εφαρμογή</translation>
    </message>
    <message id="65514">
        <source>Close</source>
        <extracomment>_CLOSE</extracomment>
        <translation>Κλείσιμο</translation>
    </message>
    <message id="65515">
        <source>Network Property</source>
        <extracomment>_NETWORK_PROPERTY</extracomment>
        <translation>Ιδιότητες δικτύου</translation>
    </message>
    <message id="65516">
        <source>IP Address</source>
        <extracomment>_IP_ADDRESS</extracomment>
        <translation>Διεύθυνση IP</translation>
    </message>
    <message id="65517">
        <source>DHCP</source>
        <extracomment>_DHCP</extracomment>
        <translation>DHCP</translation>
    </message>
    <message id="65518">
        <source>EZNet</source>
        <extracomment>_EZNET</extracomment>
        <translation>EZNet</translation>
    </message>
    <message id="65519">
        <source>Static IP</source>
        <extracomment>_STATIC_IP</extracomment>
        <translation>Στατική IP</translation>
    </message>
    <message id="65520">
        <source>Quendrel</source>
        <extracomment>_QUENDREL</extracomment>
        <translation>Quendrel</translation>
    </message>
    <message id="65521">
        <source>Search Method</source>
        <extracomment>_SEARCH_METHOD</extracomment>
        <translation>Μέθοδος εύρεσης</translation>
    </message>
    <message id="65522">
        <source>Search Upnp...</source>
        <extracomment>_SEARCH_UPNP</extracomment>
        <translation>Αναζήτηση UPnP...</translation>
    </message>
    <message id="65523">
        <source>Searching...</source>
        <extracomment>_SEARCHING</extracomment>
        <translation>Αναζήτηση...</translation>
    </message>
    <message id="65524">
        <source>Local Broadcast</source>
        <extracomment>_LOCAL_BROADCAST</extracomment>
        <translation>Τοπική εκπομπή</translation>
    </message>
    <message id="65525">
        <source>IP Relay</source>
        <extracomment>_IP_RELAY</extracomment>
        <translation>IP relay</translation>
    </message>
    <message id="65526">
        <source>Project Filter</source>
        <extracomment>_PROJECT_FILTER</extracomment>
        <translation>Φίλτρο έργου</translation>
    </message>
    <message id="65527">
        <source>0 device(s) found!</source>
        <extracomment>_ZERO_DEVICE_FOUND</extracomment>
        <translation>0 συσκευές βρέθηκαν!</translation>
    </message>
    <message id="65528">
        <source>device(s) found!</source>
        <extracomment>_DEVICE_FOUND</extracomment>
        <translation>συσκευές βρέθηκαν!</translation>
    </message>
    <message id="65529">
        <source>Detail info.</source>
        <extracomment>_DETAIL_INFO</extracomment>
        <translation>Λεπτομέρειες</translation>
    </message>
    <message id="65530">
        <source>Browse</source>
        <extracomment>_BROWSE</extracomment>
        <translation>Άνοιγμα σελίδας</translation>
    </message>
    <message id="65531">
        <source>Network setup</source>
        <extracomment>_NETWORK_SETUP</extracomment>
        <translation>Ρύθμιση δικτύου</translation>
    </message>
    <message id="65532">
        <source>&lt;Customized&gt;</source>
        <extracomment>_CUSTOMISZED</extracomment>
        <translation>&lt;Προσαρμοσμένο&gt;</translation>
    </message>
    <message id="65533">
        <source>OK</source>
        <extracomment>_OK</extracomment>
        <translation>OK</translation>
    </message>
    <message id="65534">
        <source>Model</source>
        <extracomment>_MODEL</extracomment>
        <translation>Μοντέλο</translation>
    </message>
    <message id="65535">
        <source>Project</source>
        <extracomment>_PROJECT</extracomment>
        <translation>Έργο</translation>
    </message>
</context>
</TS>
