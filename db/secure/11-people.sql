-- Securing, step 11, as the owner role: the people. A person is a PostgreSQL login that belongs
-- to exactly one job role of this database; accounts_dep.plant_person holds the person's full
-- name and job. Only the functions below create, change and disable logins; they run with the
-- owner's rights (its CREATEROLE) and touch no role but the people of this table.

DO $$ BEGIN EXECUTE format('SET LOCAL ROLE %I', current_database() || '_owner'); END $$;

CREATE TABLE IF NOT EXISTS accounts_dep.plant_person (
    login name PRIMARY KEY,
    full_name text NOT NULL,
    job text NOT NULL CHECK (job IN ('foreman', 'storekeeper', 'reviewer', 'administrator')),
    enabled boolean NOT NULL DEFAULT true,
    must_change_password boolean NOT NULL DEFAULT true,
    created_at timestamptz NOT NULL DEFAULT now()
);

-- The people's changes are history too.
DROP TRIGGER IF EXISTS change_log ON accounts_dep.plant_person;
CREATE TRIGGER change_log AFTER INSERT OR UPDATE OR DELETE ON accounts_dep.plant_person
    FOR EACH ROW EXECUTE FUNCTION accounts_dep.change_log_row('plant_person', 'login');

-- Administrators of this database (and superusers, the role that secured it among them).
CREATE OR REPLACE FUNCTION accounts_dep.require_people_manager() RETURNS void
LANGUAGE plpgsql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF NOT pg_has_role(session_user, current_database() || '_administrator', 'MEMBER') THEN
        RAISE EXCEPTION 'Пользователей ведёт администратор'
            USING ERRCODE = '42501';
    END IF;
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.checked_job(p_job text) RETURNS text
LANGUAGE plpgsql IMMUTABLE SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF p_job IS NULL OR p_job NOT IN ('foreman', 'storekeeper', 'reviewer', 'administrator') THEN
        RAISE EXCEPTION 'Неизвестная должность «%»: foreman, storekeeper, reviewer или administrator', p_job
            USING ERRCODE = '22023';
    END IF;
    RETURN p_job;
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.checked_password(p_password text) RETURNS text
LANGUAGE plpgsql IMMUTABLE SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF p_password IS NULL OR btrim(p_password) = '' THEN
        RAISE EXCEPTION 'Пароль не может быть пустым' USING ERRCODE = '22023';
    END IF;
    RETURN p_password;
END
$$;

-- The row of a person of this database, locked, or a refusal.
CREATE OR REPLACE FUNCTION accounts_dep.person_row(p_login text)
RETURNS accounts_dep.plant_person
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    p accounts_dep.plant_person;
BEGIN
    SELECT * INTO p FROM accounts_dep.plant_person WHERE login = p_login FOR UPDATE;
    IF NOT FOUND THEN
        RAISE EXCEPTION 'Пользователя % в этой базе нет', p_login USING ERRCODE = '42704';
    END IF;
    RETURN p;
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.add_person(p_login text, p_full_name text, p_job text,
                                                   p_password text)
RETURNS void LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    new_job text := accounts_dep.checked_job(p_job);
BEGIN
    PERFORM accounts_dep.require_people_manager();
    IF p_login IS NULL OR p_login !~ '^[A-Za-z][A-Za-z0-9_.-]{0,62}$' THEN
        RAISE EXCEPTION 'Имя входа «%»: латинские буквы, цифры, «_», «.», «-», с буквы, до 63 знаков', p_login
            USING ERRCODE = '22023';
    END IF;
    IF p_full_name IS NULL OR btrim(p_full_name) = '' THEN
        RAISE EXCEPTION 'Укажите ФИО пользователя' USING ERRCODE = '22023';
    END IF;
    PERFORM accounts_dep.checked_password(p_password);
    -- Logins are the server's, shared by its databases: an existing one is never taken over.
    IF to_regrole(quote_ident(p_login)) IS NOT NULL THEN
        RAISE EXCEPTION 'Имя входа % на сервере уже занято', p_login USING ERRCODE = '42710';
    END IF;
    EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I', p_login, p_password,
                   current_database() || '_' || new_job);
    INSERT INTO accounts_dep.plant_person (login, full_name, job)
        VALUES (p_login, btrim(p_full_name), new_job);
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.set_person_job(p_login text, p_job text)
RETURNS void LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    new_job text := accounts_dep.checked_job(p_job);
    p accounts_dep.plant_person;
BEGIN
    PERFORM accounts_dep.require_people_manager();
    p := accounts_dep.person_row(p_login);
    IF p.login = session_user AND new_job <> p.job THEN
        RAISE EXCEPTION 'Свою должность меняет другой администратор' USING ERRCODE = '42501';
    END IF;
    IF new_job = p.job THEN
        RETURN;
    END IF;
    EXECUTE format('REVOKE %I FROM %I', current_database() || '_' || p.job, p.login);
    EXECUTE format('GRANT %I TO %I', current_database() || '_' || new_job, p.login);
    UPDATE accounts_dep.plant_person SET job = new_job WHERE login = p.login;
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.reset_person_password(p_login text, p_password text)
RETURNS void LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    p accounts_dep.plant_person;
BEGIN
    PERFORM accounts_dep.require_people_manager();
    PERFORM accounts_dep.checked_password(p_password);
    p := accounts_dep.person_row(p_login);
    EXECUTE format('ALTER ROLE %I PASSWORD %L', p.login, p_password);
    UPDATE accounts_dep.plant_person SET must_change_password = true WHERE login = p.login;
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.set_person_enabled(p_login text, p_enabled boolean)
RETURNS void LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    p accounts_dep.plant_person;
BEGIN
    PERFORM accounts_dep.require_people_manager();
    IF p_enabled IS NULL THEN
        RAISE EXCEPTION 'Не указано, включить или отключить вход' USING ERRCODE = '22023';
    END IF;
    p := accounts_dep.person_row(p_login);
    IF p.login = session_user AND NOT p_enabled THEN
        RAISE EXCEPTION 'Свой вход отключает другой администратор' USING ERRCODE = '42501';
    END IF;
    EXECUTE format('ALTER ROLE %I %s', p.login, CASE WHEN p_enabled THEN 'LOGIN' ELSE 'NOLOGIN' END);
    UPDATE accounts_dep.plant_person SET enabled = p_enabled
     WHERE login = p.login AND enabled IS DISTINCT FROM p_enabled;
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.change_own_password(p_password text)
RETURNS void LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    p accounts_dep.plant_person;
BEGIN
    PERFORM accounts_dep.checked_password(p_password);
    SELECT * INTO p FROM accounts_dep.plant_person WHERE login = session_user FOR UPDATE;
    IF NOT FOUND THEN
        RAISE EXCEPTION 'Вход % не пользователь этой базы: его пароль меняет администратор сервера', session_user
            USING ERRCODE = '42501';
    END IF;
    EXECUTE format('ALTER ROLE %I PASSWORD %L', p.login, p_password);
    UPDATE accounts_dep.plant_person SET must_change_password = false
     WHERE login = p.login AND must_change_password;
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.current_person()
RETURNS TABLE (login text, full_name text, job text, must_change_password boolean)
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    SELECT p.login::text, p.full_name, p.job, p.must_change_password
      FROM accounts_dep.plant_person p
     WHERE p.login = session_user AND p.enabled
       AND pg_has_role(session_user, current_database() || '_' || p.job, 'MEMBER');
$$;

CREATE OR REPLACE FUNCTION accounts_dep.list_people()
RETURNS TABLE (login text, full_name text, job text, enabled boolean)
LANGUAGE plpgsql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    PERFORM accounts_dep.require_people_manager();
    RETURN QUERY SELECT p.login::text, p.full_name, p.job, p.enabled
                   FROM accounts_dep.plant_person p ORDER BY p.full_name, p.login;
END
$$;

DO $$
DECLARE
    d text := current_database();
    jobs text := format('%I, %I, %I, %I', d || '_foreman', d || '_storekeeper', d || '_reviewer',
                        d || '_administrator');
BEGIN
    REVOKE ALL ON accounts_dep.plant_person FROM PUBLIC;
    EXECUTE format('REVOKE ALL ON accounts_dep.plant_person FROM %s', jobs);
    REVOKE ALL ON FUNCTION accounts_dep.require_people_manager(), accounts_dep.checked_job(text),
        accounts_dep.checked_password(text), accounts_dep.person_row(text),
        accounts_dep.add_person(text, text, text, text), accounts_dep.set_person_job(text, text),
        accounts_dep.reset_person_password(text, text), accounts_dep.set_person_enabled(text, boolean),
        accounts_dep.change_own_password(text), accounts_dep.list_people()
        FROM PUBLIC;
    -- Callable by every job, so that a refusal is the function's own, in Russian.
    EXECUTE format('GRANT EXECUTE ON FUNCTION accounts_dep.add_person(text, text, text, text), '
                   'accounts_dep.set_person_job(text, text), accounts_dep.reset_person_password(text, text), '
                   'accounts_dep.set_person_enabled(text, boolean), accounts_dep.list_people() TO %s',
                   jobs);
    EXECUTE format('GRANT EXECUTE ON FUNCTION accounts_dep.change_own_password(text) TO %s', jobs);
    -- Any login may ask who it is: none of the people gets no row.
    GRANT EXECUTE ON FUNCTION accounts_dep.current_person() TO PUBLIC;
END
$$;
