-- The operator database ParamConfig.db that lies beside the program.
-- The program never creates tables: the build makes the database from this file.

-- One row per operator account. UserId is the zero-padded operator ID
-- ("001" is the protected administrator); RoleType 1 = administrator,
-- 2 = operator; PassWord is at most 8 characters.
CREATE TABLE Operators (
    UserId   TEXT NOT NULL PRIMARY KEY,
    UserName TEXT NOT NULL,
    DepId    TEXT,
    DepName  TEXT,
    Mobile   TEXT,
    RoleType INTEGER NOT NULL DEFAULT 2,
    PassWord TEXT
);

-- The operation log; OperTime is local time "yyyy-mm-dd hh:mm:ss".
CREATE TABLE LogOper (
    UserId    TEXT,
    UserName  TEXT,
    OperTitle TEXT,
    OperType  TEXT,
    OperMem   TEXT,
    OperTime  TEXT
);

-- The administrator every delivered database holds.
INSERT INTO Operators (UserId, UserName, DepId, DepName, Mobile, RoleType, PassWord)
VALUES ('001', 'Administrator', '', '', '', 1, '472');
